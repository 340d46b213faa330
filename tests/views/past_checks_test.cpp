// SPDX-License-Identifier: MIT
#include "views/past_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

template <size_t N>
std::string Bits(const std::array<bool, N>& a) {
  std::string s;
  for (bool b : a) s += b ? '1' : '0';
  return s;
}

template <size_t N>
void SetBits(std::array<bool, N>& a, const std::string& bits) {
  for (size_t i = 0; i < N; ++i) a[i] = bits[i] == '1';
}

struct TRuleCase {
  const char* Name;
  int Span;
  const char* Kinds;  // checked before the rules run
  const char* Items;
  const char* KindsAfter;
  const char* KindsEnabled;
  const char* ItemsEnabled;
};

class PastCheckRules : public testing::TestWithParam<TRuleCase> {};

TEST_P(PastCheckRules, CheckedAndEnabledAfterAClick) {
  const TRuleCase& c = GetParam();
  TPastChecks checks;
  SetBits(checks.Kind, c.Kinds);
  SetBits(checks.Item, c.Items);
  ApplyPastCheckRules(checks, c.Span);
  EXPECT_EQ(Bits(checks.Kind), c.KindsAfter);
  EXPECT_EQ(Bits(checks.KindEnabled), c.KindsEnabled);
  EXPECT_EQ(Bits(checks.ItemEnabled), c.ItemsEnabled);
  EXPECT_EQ(Bits(checks.Item), c.Items) << "the rules never change the items";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PastCheckRules,
    testing::Values(
        TRuleCase{"StartState", 1, "1000000", "0000000000", "1000000", "1110000", "1111111111"},
        // A daily span enables everything for one item and one kind.
        TRuleCase{"MonthOneItem", 30, "1000000", "0100000000", "1000000", "1111111", "1111111111"},
        // Several kinds for one item: the other items are locked.
        TRuleCase{"TwoKindsOneItem", 30, "1100000", "0100000000", "1100000", "1111111",
                  "0100000000"},
        TRuleCase{"TwoKindsNoItem", 1, "1100000", "0000000000", "1100000", "1110000", "1111111111"},
        // Several items with one kind: the other kinds are locked, candles always.
        TRuleCase{"TwoItemsOneKind", 120, "0010000", "1001000000", "0010000", "0010000",
                  "1111111111"},
        TRuleCase{"TwoItemsNoKind", 30, "0000000", "1100000000", "0000000", "1111110",
                  "1111111111"},
        // Back to a 5-minute span: moving averages and candles are unchecked and disabled.
        TRuleCase{"MonthToDay", 1, "1001011", "0000000001", "1000000", "1110000", "1111111111"},
        TRuleCase{"MonthToWeekOnlyMovingAverage", 7, "0000100", "0000000001", "0000000", "1110000",
                  "1111111111"}),
    [](const testing::TestParamInfo<TRuleCase>& info) { return info.param.Name; });

TEST(PastCheckRules, UncheckingOneOfTwoKindsFreesTheItemsAgain) {
  TPastChecks checks;
  checks.Kind[kKindMax] = true;
  checks.Item[kAirTemperature] = true;
  ApplyPastCheckRules(checks, 1);
  EXPECT_FALSE(checks.ItemEnabled[kHumidity]);
  checks.Kind[kKindAvg] = false;
  ApplyPastCheckRules(checks, 1);
  EXPECT_TRUE(checks.ItemEnabled[kHumidity]);
}

}  // namespace
}  // namespace velk
