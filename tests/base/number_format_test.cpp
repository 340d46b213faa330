// SPDX-License-Identifier: MIT
#include "base/number_format.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(NumberFormat, GeneralFormWithFifteenSignificantDigits) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {static_cast<double>(12.3f), "12.3000001907349"},
      {static_cast<double>(23.6f), "23.6000003814697"},
      {static_cast<double>(0.6f), "0.600000023841858"},
      {25, "25"},
      {0.5, "0.5"},
      {0, "0"},
      {-2.5, "-2.5"},
      {40, "40"},
      {35.6895, "35.6895"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {-0.0000015, "-1.5E-6"},
      {123456789012345.0, "1.23456789012345E14"},
      {12345678901234.0, "12345678901234"},
      {1e15, "1E15"},
      {1e14, "1E14"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.value), c.expected) << c.value;
}

TEST(NumberFormat, StrictParsingTakesOnlyWholeNumbers) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"23.5", true, 23.5},
      {"-5", true, -5},
      {"+1.5", true, 1.5},
      {".5", true, 0.5},
      {"1E-6", true, 1e-6},
      {"", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"1,5", false, 0},
      {"abc", false, 0},
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1e", false, 0},
      {"-", false, 0},
      {"1e999", false, 0},
      // Beyond the doubles: too large is no number, too small reads as zero.
      {"0.5e309", false, 0},
      {"1e-400", true, 0},
      {"-123e-330", true, 0},
      {"0.1e309", true, 1e308},
  };
  for (const auto& c : cases) {
    double out = 0;
    EXPECT_EQ(TryParseFloat(c.text, out), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(out, c.value);
    }
  }
  int32_t i = 0;
  EXPECT_TRUE(TryParseInt("-2147483648", i));
  EXPECT_EQ(i, INT32_MIN);
  EXPECT_FALSE(TryParseInt("2147483648", i));
  EXPECT_FALSE(TryParseInt("1.0", i));
  EXPECT_FALSE(TryParseInt("", i));
  EXPECT_FALSE(TryParseInt("+", i));
  EXPECT_TRUE(TryParseInt("+20", i));
  EXPECT_EQ(i, 20);
}

}  // namespace
}  // namespace velk
