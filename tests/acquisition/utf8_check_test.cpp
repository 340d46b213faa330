// SPDX-License-Identifier: MIT
#include "acquisition/utf8_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/text_encoding.h"

namespace velk {
namespace {

// The fast check must agree with the lossy decoder: valid exactly when decoding changes nothing.
TEST(Utf8Check, AgreesWithTheLossyDecoder) {
  const std::string samples[] = {
      "",
      "plain ASCII, longer than eight bytes",
      "気温℃",
      "\xC2\x80",
      "\xC1\xBF",  // overlong two-byte
      "\xE0\x9F\xBF",
      "\xE0\xA0\x80",
      "\xED\x9F\xBF",
      "\xED\xA0\x80",  // surrogate
      "\xF0\x8F\xBF\xBF",
      "\xF0\x90\x80\x80",
      "\xF4\x8F\xBF\xBF",
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xF5\x80\x80\x80",
      "abcdefg\xE3\x81",  // truncated at the end, after an ASCII run
      "\x80",
      "\xFF",
      std::string("\0\0\0\0\0\0\0\0\0", 9),
  };
  for (const std::string& s : samples) {
    EXPECT_EQ(IsValidUtf8(s), DecodeUtf8Lossy(s) == s) << testing::PrintToString(s);
  }
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> length(0, 24);
  const char alphabet[] = {'a', '\x80', '\xBF', '\xC2', '\xE0', '\xED', '\xEF', '\xF0', '\xF4'};
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 1);
  for (int n = 0; n < 20000; ++n) {
    std::string s(static_cast<size_t>(length(rng)), ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    ASSERT_EQ(IsValidUtf8(s), DecodeUtf8Lossy(s) == s) << testing::PrintToString(s);
  }
}

}  // namespace
}  // namespace velk
