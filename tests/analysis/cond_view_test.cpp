// SPDX-License-Identifier: MIT
#include "analysis/cond_view.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(CondView, ShownWithOneDecimalAndReadBackAsShown) {
  TCondEst c;
  c.Value_L[0] = 25.27f;
  c.Value_H[0] = -0.04f;
  c.Value_L[1] = 1234567.0f;
  c.Use[1] = true;
  c.TimeVal = 65535;
  const TCondControls shown = ShowCondEst(c);
  EXPECT_EQ(shown.Low[0], "25.3");
  EXPECT_EQ(shown.High[0], "-0.0");
  EXPECT_EQ(shown.Low[1], "1234567.0");
  EXPECT_EQ(shown.High[2], "30.0");
  EXPECT_TRUE(shown.On[1]);
  EXPECT_FALSE(shown.On[2]);
  EXPECT_EQ(shown.TimeVal, "65535");
  TCondEst back = c;
  EXPECT_TRUE(TakeCondEst(shown, back).empty());
  EXPECT_EQ(back.Value_L[0], 25.3f);
}

TEST(CondView, ControlRules) {
  struct Case {
    int cndA, judge;
    bool on;
    bool low, high, enabled;
  };
  const Case cases[] = {
      {0, kJudgeAbove, true, true, false, true},     {0, kJudgeBelow, true, true, false, true},
      {0, kJudgeInside, true, true, true, true},     {0, kJudgeOutside, false, true, true, false},
      {3, kJudgeAbove, true, false, false, true},    {3, kJudgeOutside, true, false, false, true},
      {10, kJudgeBelow, false, false, false, false},
  };
  for (const Case& k : cases) {
    TCondControls c;
    for (int i = 0; i < kCondCount; ++i) {
      c.CndA[i] = k.cndA;
      c.Judge[i] = k.judge;
      c.On[i] = k.on;
    }
    const TCondRules r = CondControlRules(c);
    for (int i = 0; i < kCondCount; ++i) {
      EXPECT_EQ(r.LowVisible[i], k.low) << k.cndA << " " << k.judge;
      EXPECT_EQ(r.HighVisible[i], k.high) << k.cndA << " " << k.judge;
      // Condition 1 cannot be switched off.
      EXPECT_EQ(r.Enabled[i], i == 0 || k.enabled) << i;
    }
  }
  TCondControls c;
  c.CndB = 0;
  EXPECT_FALSE(CondControlRules(c).TimeValVisible);
  c.CndB = 1;
  EXPECT_TRUE(CondControlRules(c).TimeValVisible);
}

TEST(CondView, UnreadableEditsKeepThePreviousValues) {
  TCondEst held;
  held.Value_L[0] = held.Value_L[1] = held.Value_L[2] = 1.0f;
  held.Value_H[0] = held.Value_H[1] = held.Value_H[2] = 2.0f;
  held.TimeVal = 45;
  held.Use[0] = false;
  TCondControls c = ShowCondEst(TCondEst{});
  c.Name = "夜間";
  c.Low[0] = "abc";  // a bad low value leaves the high one too
  c.High[0] = "99";
  c.Low[1] = " 12.5 ";
  c.High[1] = "１２";  // full-width digits do not read
  c.Low[2] = "x";
  c.High[2] = "y";  // one warning for the condition, not two
  c.On[2] = true;
  c.CndB = 0;
  c.TimeVal = "30分";
  EXPECT_EQ(TakeCondEst(c, held), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(held.Name, "夜間");
  EXPECT_EQ(held.Value_L[0], 1.0f);
  EXPECT_EQ(held.Value_H[0], 2.0f);
  EXPECT_EQ(held.Value_L[1], 12.5f);
  EXPECT_EQ(held.Value_H[1], 2.0f);
  EXPECT_EQ(held.Value_L[2], 1.0f);
  EXPECT_TRUE(held.Use[0]);
  EXPECT_FALSE(held.Use[1]);
  EXPECT_TRUE(held.Use[2]);
  EXPECT_EQ(held.CndB, 0);
  EXPECT_EQ(held.TimeVal, 45);

  c = ShowCondEst(TCondEst{});
  c.Low[0] = "1e39";  // beyond a 32-bit float
  c.TimeVal = "70000";
  EXPECT_EQ(TakeCondEst(c, held), (std::vector<int>{0}));
  EXPECT_EQ(held.TimeVal, 70000 - 65536);
}

}  // namespace
}  // namespace velk
