// SPDX-License-Identifier: MIT
#include "store/decimal_parse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "base/number_format.h"

namespace velk {
namespace {

// Same acceptance and the same bits as the strict library parse.
void ExpectLikeTryParseFloat(const std::string& text) {
  double fast = 0, slow = 0;
  const bool fastOk = ParseDecimal(text, fast);
  ASSERT_EQ(fastOk, TryParseFloat(text, slow)) << text;
  if (fastOk) {
    ASSERT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0) << text;
  }
}

TEST(DecimalParse, AgreesWithTheStrictParse) {
  for (const char* text : {"0",
                           "-0",
                           "+1",
                           "25",
                           "12.3000001907349",
                           "-0.400000005960464",
                           ".5",
                           "5.",
                           "1e-6",
                           "1.5E15",
                           "9007199254740993",
                           "12345678901234567890",
                           "0.1234567890123456789012345",
                           "",
                           "-",
                           ".",
                           "1.2.3",
                           "1,5",
                           " 1",
                           "1 ",
                           "0x10",
                           "inf",
                           "nan",
                           "1e",
                           "--1"}) {
    ExpectLikeTryParseFloat(text);
  }
  std::mt19937 rng(1);
  std::uniform_real_distribution<float> value(-2000, 2000);
  for (int i = 0; i < 20000; ++i) {
    ExpectLikeTryParseFloat(FormatSingle(value(rng)));
    std::string digits = std::to_string(rng() % 100000000);
    digits.insert(rng() % (digits.size() + 1), ".");
    ExpectLikeTryParseFloat(digits);
  }
}

}  // namespace
}  // namespace velk
