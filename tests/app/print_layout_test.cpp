// SPDX-License-Identifier: MIT
#include "app/print_layout.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace velk {
namespace {

TEST(PrintLayout, MarginFactorIsJustBelowOneTwentieth) {
  EXPECT_EQ(std::bit_cast<uint64_t>(kPrintMarginFactor), 0x3FA9999999999998u);
}

TEST(PrintLayout, PictureAndMarginsOnThePage) {
  struct Case {
    int w, h, pw, ph;
    TPrintLayout expected;
  };
  const Case cases[] = {
      // Portrait A4 at 600 dpi: the width limits; 4960 × f is just below 248.
      {1008, 709, 4960, 7016, {350, 247, 4464, 3139, 0}},
      // Landscape: still the width limits; the margins swap their sources.
      {1008, 709, 7016, 4960, {247, 350, 6314, 4441, 0}},
      // A tall window: the height limits the fit to 90 % of the page height.
      {500, 1000, 4960, 7016, {350, 247, 3157, 6314, 0}},
      // Round page sizes lose a pixel of margin to the factor below 0.05.
      {1000, 500, 2000, 1000, {49, 99, 1800, 900, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " on " << c.pw << "x" << c.ph);
    const TPrintLayout l = ComputePrintLayout(c.w, c.h, c.pw, c.ph);
    EXPECT_EQ(l.Left, c.expected.Left);
    EXPECT_EQ(l.Top, c.expected.Top);
    EXPECT_EQ(l.Width, c.expected.Width);
    EXPECT_EQ(l.Height, c.expected.Height);
  }
}

}  // namespace
}  // namespace velk
