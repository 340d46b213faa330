// SPDX-License-Identifier: MIT
#include "analysis/cond_search.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/date_time.h"
#include "store/stores.h"

namespace velk {
namespace {

// A room whose ring holds air temperature records five minutes apart, entry 0 the newest.
class CondSearch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { stores_ = new TStores; }
  static void TearDownTestSuite() {
    delete stores_;
    stores_ = nullptr;
  }
  void SetUp() override { ClearRoomRecords(Dat()); }

  TRoomDat& Dat() { return stores_->Dat(1); }
  static TDateTime TimeOf(int entry) {
    return EncodeDateTime(2020, 11, 13, 12, 30) - entry * 5 * kMinute;
  }
  void Set(int entry, int item, float value) {
    TRecDat& r = Dat().Rec[entry];
    r.Time = TimeOf(entry);
    r.Item[item].Valid = 1;
    r.Item[item].Avg = value;
  }
  // Entries first..last get `value` as air temperature.
  void Temps(int first, int last, float value) {
    for (int i = first; i <= last; ++i) Set(i, kAirTemperature, value);
  }
  static TCondEst Above30(int32_t cndB = 0, uint16_t timeVal = 30) {
    TCondEst c;
    c.Value_L[0] = 30.0f;
    c.CndB = cndB;
    c.TimeVal = timeVal;
    return c;
  }
  std::vector<std::string> Search(const TCondEst& cond, int slot = 1) {
    EXPECT_TRUE(SearchCondPeriods(cond, *stores_, slot, result_));
    return CondResultLines(result_);
  }

  static TStores* stores_;
  TCondResult result_;
};

TStores* CondSearch::stores_ = nullptr;

TEST_F(CondSearch, JudgementsCompareSingleValuesWithTheirBounds) {
  struct Case {
    int32_t judge;
    float low, high, x;
    bool holds;
  };
  const Case cases[] = {
      {kJudgeAbove, 30, 0, 30.0f, false},
      {kJudgeAbove, 30, 0, 30.01f, true},
      {kJudgeBelow, 30, 0, 30.0f, false},
      {kJudgeBelow, 30, 0, 29.99f, true},
      {kJudgeInside, 20, 30, 30.0f, true},
      {kJudgeInside, 20, 30, 20.0f, true},
      {kJudgeInside, 20, 30, 30.01f, false},
      {kJudgeOutside, 20, 30, 20.0f, false},
      {kJudgeOutside, 20, 30, 30.0f, false},
      {kJudgeOutside, 20, 30, 19.99f, true},
      {kJudgeOutside, 20, 30, 30.01f, true},
      // Equal as 32-bit floats although 25.3f differs from the double 25.3.
      {kJudgeAbove, 25.3f, 0, 25.3f, false},
      {kJudgeBelow, 25.3f, 0, 25.3f, false},
      {kJudgeInside, 25.3f, 25.3f, 25.3f, true},
  };
  for (const Case& k : cases) {
    ClearRoomRecords(Dat());
    Temps(0, 2, k.x);  // entries 0 and 2 without a valid value never hold
    Dat().Rec[0].Item[kAirTemperature].Valid = 0;
    Dat().Rec[2].Item[kAirTemperature].Valid = 0;
    TCondEst c;
    c.Judge[0] = k.judge;
    c.Value_L[0] = k.low;
    c.Value_H[0] = k.high;
    c.CndB = 0;
    const auto lines = Search(c);
    EXPECT_EQ(lines.size(), k.holds ? 1u : 0u) << "judge " << k.judge << " x " << k.x;
  }
}

TEST_F(CondSearch, ItemComparisonUsesTheOtherItemOfTheSameRecord) {
  // Air temperature above dew point: entries 3 to 5 only.
  for (int i = 0; i <= 8; ++i) {
    Set(i, kAirTemperature, 20);
    Set(i, kDewPoint, i >= 3 && i <= 5 ? 19.5f : 20.0f);
  }
  Dat().Rec[4].Item[kDewPoint].Valid = 0;  // an invalid compared item breaks the run
  TCondEst c;
  c.CndA[0] = kDewPoint + 1;
  c.CndB = 0;
  const auto lines = Search(c);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(3));
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(4));
  EXPECT_EQ(result_.Entry[1].End, TimeOf(5));
  EXPECT_EQ(result_.Entry[1].Begin, TimeOf(6));
}

TEST_F(CondSearch, TwelveEntryRunAgainstTheDuration) {
  struct Case {
    int32_t cndB;
    uint16_t timeVal;
    bool listed;
  };
  const Case cases[] = {{0, 30, true}, {1, 30, true}, {1, 59, true}, {1, 60, false}};
  Temps(0, 0, 25);
  Temps(1, 12, 31);
  Temps(13, 20, 25);
  for (const Case& k : cases) {
    const auto lines = Search(Above30(k.cndB, k.timeVal));
    ASSERT_EQ(lines.size(), k.listed ? 1u : 0u) << k.cndB << " " << k.timeVal;
    if (k.listed) {
      EXPECT_EQ(result_.Entry[0].End, TimeOf(1));
      EXPECT_EQ(result_.Entry[0].Begin, TimeOf(13));
      EXPECT_EQ(lines[0], "0: 2020年11月13日 11:25 ～ 2020年11月13日 12:25");
    }
    EXPECT_FALSE(result_.Entry[1].Valid);
  }
}

TEST_F(CondSearch, ADroppedShortRunFreesItsEntryForTheNextPeriod) {
  Temps(0, 30, 25);
  Temps(2, 2, 31);    // 5 minutes: dropped with TimeVal 5
  Temps(10, 20, 31);  // 55 minutes
  const auto lines = Search(Above30(1, 5));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(10));
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(21));
  EXPECT_EQ(result_.Entry[1].Begin, 0.0);
  EXPECT_EQ(result_.Entry[1].End, 0.0);
}

TEST_F(CondSearch, EmptyEntriesDoNotBreakARunButAnInvalidTargetDoes) {
  Temps(0, 0, 25);
  Temps(1, 9, 31);
  ClearRecord(Dat().Rec[4]);  // time 0: skipped
  Temps(10, 10, 25);
  Temps(11, 14, 31);
  Dat().Rec[12].Item[kAirTemperature].Valid = 0;
  Temps(15, 15, 25);
  const auto lines = Search(Above30());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(1));
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(10));
  EXPECT_EQ(result_.Entry[1].End, TimeOf(11));
  EXPECT_EQ(result_.Entry[1].Begin, TimeOf(12));
  EXPECT_EQ(result_.Entry[2].End, TimeOf(13));
  EXPECT_EQ(result_.Entry[2].Begin, TimeOf(15));
}

TEST_F(CondSearch, ARunHoldingAtTheOldestRecordIsNotListed) {
  Temps(0, 99, 31);  // every entry holds
  EXPECT_TRUE(Search(Above30()).empty());
  EXPECT_EQ(result_.Entry[0].End, 0.0);
  Temps(50, 50, 25);  // one older run is cut off by the ring's end
  const auto lines = Search(Above30());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(0));
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(50));
  EXPECT_EQ(result_.Entry[1].End, 0.0);
}

TEST_F(CondSearch, TheFiftyNewestPeriodsAreListed) {
  for (int p = 0; p < 70; ++p) {
    Temps(2 * p, 2 * p, 25);
    Temps(2 * p + 1, 2 * p + 1, 31);
  }
  Temps(140, 140, 25);
  const auto lines = Search(Above30());
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(1));
  EXPECT_EQ(result_.Entry[49].End, TimeOf(99));
  EXPECT_EQ(result_.Entry[49].Begin, TimeOf(100));
  EXPECT_EQ(lines[49].substr(0, 4), "49: ");
  // A search after a bigger one starts from an empty table.
  Temps(3, 140, 25);
  EXPECT_EQ(Search(Above30()).size(), 1u);
  EXPECT_FALSE(result_.Entry[1].Valid);
}

TEST_F(CondSearch, EveryConditionThatIsOnMustHold) {
  for (int i = 0; i < 10; ++i) {
    Set(i, kAirTemperature, 31);
    Set(i, kHumidity, i < 5 ? 40.0f : 60.0f);
  }
  Set(10, kAirTemperature, 25);
  TCondEst c = Above30();
  c.Target[2] = kHumidity;
  c.Judge[2] = kJudgeBelow;
  c.Value_L[2] = 50;
  EXPECT_EQ(Search(c).size(), 1u) << "condition 3 off holds";
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(10));
  c.Use[2] = true;
  ASSERT_EQ(Search(c).size(), 1u);
  EXPECT_EQ(result_.Entry[0].End, TimeOf(0));
  EXPECT_EQ(result_.Entry[0].Begin, TimeOf(5));
  // A condition on an item without values never holds.
  c.Use[1] = true;
  c.Target[1] = kCO2;
  EXPECT_TRUE(Search(c).empty());
}

TEST_F(CondSearch, AnInvalidSetUpFindsNothing) {
  Temps(0, 0, 25);
  Temps(1, 5, 31);
  Temps(6, 6, 25);
  ASSERT_EQ(Search(Above30()).size(), 1u);
  auto bad = [](auto change) {
    TCondEst c = Above30();
    change(c);
    return c;
  };
  const TCondEst cases[] = {
      // Condition 3 off, but an item comparison with a range.
      bad([](TCondEst& c) { c.CndA[2] = 2, c.Judge[2] = kJudgeOutside; }),
      bad([](TCondEst& c) { c.Target[1] = 10; }),
      bad([](TCondEst& c) { c.Target[0] = -1; }),
      bad([](TCondEst& c) { c.CndA[0] = 11; }),
      bad([](TCondEst& c) { c.CndA[1] = -1; }),
  };
  for (const TCondEst& c : cases) {
    EXPECT_FALSE(SearchCondPeriods(c, *stores_, 1, result_));
    EXPECT_TRUE(CondResultLines(result_).empty());
  }
  EXPECT_FALSE(SearchCondPeriods(Above30(), *stores_, 6, result_));
  EXPECT_FALSE(SearchCondPeriods(Above30(), *stores_, -1, result_));
  // An empty slot.
  EXPECT_TRUE(Search(Above30(), 2).empty());
}

}  // namespace
}  // namespace velk
