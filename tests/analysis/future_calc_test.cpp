// SPDX-License-Identifier: MIT
#include "analysis/future_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "settings/settings_files.h"

namespace velk {
namespace {

constexpr int kSlot = 1;
constexpr int kAir = kAirTemperature;

TDateTime Apr(int day) {
  return EncodeDate(2020, 4, day);
}

// Room 1 with air-temperature daily averages of 20.0 from 1 April to 15 April (index 0).
class FutureCalc : public ::testing::Test {
 protected:
  FutureCalc() {
    SetDefaultRoomEst(kSlot, stores.RoomEst[kSlot]);
    TRoomDat& d = stores.Dat(kSlot);
    for (int i = 0; i < 15; ++i) SetDay(i, Apr(15 - i), 20.0f);
    d.FirstTime = Apr(1) + 5 * kMinute;
    d.LastTime = Apr(15) + 10.0 / 24;
  }
  // Daily position i, dated `date`, with the air temperature `avg` (nullopt: no valid value).
  void SetDay(int i, TDateTime date, std::optional<float> avg) {
    TRecDat& r = stores.Dat(kSlot).Day[i];
    r.Time = date;
    r.Item[kAir] = {static_cast<uint8_t>(avg ? 1 : 0), avg.value_or(0.0f), 0, 0};
  }
  void SetValue(TDateTime date, std::optional<float> avg) {
    SetDay(15 - static_cast<int>(date - Apr(0)), date, avg);
  }
  TFutureResult Compute(const TFutureEst& est, int slot = kSlot) {
    TFutureResult r;
    ComputeFuture(est, slot, stores, r);
    return r;
  }
  static TFutureEst Est(TDateTime b, TDateTime m, uint16_t later = 0, double over = 0) {
    TFutureEst e;
    e.BDay = b;
    e.MDay = m;
    e.LaterDays = later;
    e.OverVal = over;
    return e;
  }

  TStores stores;
};

TEST_F(FutureCalc, PassTotalLaterAndReachOverTheDailyRecords) {
  struct Case {
    uint16_t later;
    double over;
    double laterValue;
    TDateTime reach;
  } cases[] = {
      {10, 250, 200, Apr(13)},  // day 10 is the end day: summed from the data
      {11, 300, 220, Apr(15)},  // beyond the end day: projected from it at 20 a day
      {20, 500, 400, Apr(25)},  // t = (500 - 200) / 20 = 15 days after 10 April
      {0, 301, 0, Apr(15)},     // N = 0 asks nothing; 301 projects (301 - 200) / 20 = 5 days
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.later);
    const TFutureResult r = Compute(Est(Apr(1) + 8.0 / 24, Apr(10) + 0.5, c.later, c.over));
    EXPECT_DOUBLE_EQ(r.PassValue, 200.0);
    EXPECT_DOUBLE_EQ(r.TotalValue, 300.0);
    EXPECT_DOUBLE_EQ(r.LaterValue, c.laterValue);
    EXPECT_EQ(r.ReachDay, c.reach);
    EXPECT_EQ(r.BaseDay, Apr(1));
    EXPECT_EQ(r.EndDay, Apr(10));
    EXPECT_EQ(r.DataDays, 15);
    for (int i = 0; i < 15; ++i) EXPECT_FLOAT_EQ(r.Series[i], 20.0f * (i + 1));
  }
}

TEST_F(FutureCalc, ADayWithoutDataCountsInTheAverageButAddsNothing) {
  SetValue(Apr(5), std::nullopt);
  const TFutureResult r = Compute(Est(Apr(1), Apr(10), 20, 0));
  EXPECT_DOUBLE_EQ(r.PassValue, 180.0);
  EXPECT_DOUBLE_EQ(r.TotalValue, 280.0);
  EXPECT_FLOAT_EQ(r.Series[4], r.Series[3]);
  // Ten days beyond the end day at 280 / 15 a day (15 days counted, 14 with data).
  EXPECT_DOUBLE_EQ(r.LaterValue, 180.0 + 10 * 280.0 / 15);
}

TEST_F(FutureCalc, AnEndDayWithoutAValidValueGivesNoPassValueNorProjection) {
  SetValue(Apr(10), std::nullopt);
  const TFutureResult r = Compute(Est(Apr(1), Apr(10), 20, 500));
  EXPECT_EQ(r.PassValue, 0.0);
  EXPECT_EQ(r.LaterValue, 0.0);
  EXPECT_EQ(r.ReachDay, 0.0);
  EXPECT_DOUBLE_EQ(r.TotalValue, 280.0);
  // Within the data the answers do not depend on the end day.
  const TFutureResult within = Compute(Est(Apr(1), Apr(10), 9, 250));
  EXPECT_DOUBLE_EQ(within.LaterValue, 180.0);
  EXPECT_EQ(within.ReachDay, Apr(14));  // 20 × 13 − 20 = 260 on the 14th
}

TEST_F(FutureCalc, UnanswerableReferenceDaysGiveNothing) {
  stores.Dat(kSlot).Day[12].Time = 0.0;  // no daily record on 3 April
  struct Case {
    const char* name;
    TFutureEst est;
    int slot;
    bool baseDayKept;
  } cases[] = {
      {"begin before the first data", Est(Apr(0), Apr(10), 20, 500), kSlot, true},
      {"begin on the latest day after midnight", Est(Apr(15) + 0.1, Apr(15), 20, 500), kSlot, true},
      {"begin after the newest data", Est(Apr(20), Apr(25), 20, 500), kSlot, true},
      {"begin without a daily record", Est(Apr(3), Apr(10), 20, 500), kSlot, true},
      {"begin day 0", Est(0, Apr(10), 20, 500), kSlot, false},
      {"end day 0", Est(Apr(1), 0, 20, 500), kSlot, false},
      {"slot 6", Est(Apr(1), Apr(10), 20, 500), 6, false},
      {"slot -1", Est(Apr(1), Apr(10), 20, 500), -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TFutureResult r = Compute(c.est, c.slot);
    EXPECT_EQ(r.PassValue, 0.0);
    EXPECT_EQ(r.TotalValue, 0.0);
    EXPECT_EQ(r.LaterValue, 0.0);
    EXPECT_EQ(r.ReachDay, 0.0);
    EXPECT_EQ(r.SeriesDays, 0);
    EXPECT_EQ(r.BaseDay, c.baseDayKept ? DateOf(c.est.BDay) : 0.0);
  }
  for (int target : {-1, 10}) {
    TFutureEst e = Est(Apr(1), Apr(10), 20, 500);
    e.Target = target;
    EXPECT_EQ(Compute(e).TotalValue, 0.0);
  }
}

TEST_F(FutureCalc, EndDaysOutsideTheDataProjectNothing) {
  // Before the begin day, or after the newest data: there is no accumulated value to go on from.
  for (TDateTime end : {Apr(1) - 1, Apr(20)}) {
    const TFutureResult r = Compute(Est(Apr(2), end, 20, 500));
    EXPECT_EQ(r.PassValue, 0.0);
    EXPECT_EQ(r.LaterValue, 0.0);
    EXPECT_EQ(r.ReachDay, 0.0);
    EXPECT_DOUBLE_EQ(r.TotalValue, 280.0);
  }
}

TEST_F(FutureCalc, NoIncreaseOrAnUnreachableValueGivesNoReachDay) {
  // One valid value of 0 on the begin day and nothing after it: the average increase is 0.
  SetValue(Apr(1), 0.0f);
  for (int d = 2; d <= 15; ++d) SetValue(Apr(d), std::nullopt);
  const TFutureResult flat = Compute(Est(Apr(1), Apr(1), 0, 25));
  EXPECT_EQ(flat.TotalValue, 0.0);
  EXPECT_EQ(flat.ReachDay, 0.0);

  for (int d = 1; d <= 15; ++d) SetValue(Apr(d), 20.0f);
  const TFutureResult far = Compute(Est(Apr(1), Apr(10), 65535, 1e300));
  EXPECT_EQ(far.ReachDay, 0.0);
  EXPECT_DOUBLE_EQ(far.LaterValue, 200.0 + (65534 - 9) * 20.0);
  EXPECT_EQ(far.SeriesDays, 365);
}

TEST_F(FutureCalc, ReachDayInsideTheSeriesComparesValuesRoundedHalfToEven) {
  for (int d = 1; d <= 15; ++d) SetValue(Apr(d), 0.5f);
  stores.RoomEst[kSlot].Data[kAir].Dec = 0;
  // 0.5 rounds to 0 and 1.0 is the first to reach 1; halves away from zero would take day 1.
  EXPECT_EQ(Compute(Est(Apr(1), Apr(15), 0, 1)).ReachDay, Apr(2));
  // 1.5 rounds to 2 and reaches 2 a day before the exact value does.
  EXPECT_EQ(Compute(Est(Apr(1), Apr(15), 0, 2)).ReachDay, Apr(3));
}

TEST_F(FutureCalc, TheProjectionExtendsTheSeriesUpTo365Days) {
  const TFutureResult r = Compute(Est(Apr(1), Apr(15), 20, 0));
  EXPECT_EQ(r.SeriesDays, 35);
  EXPECT_FLOAT_EQ(r.Series[15], 300.0f);  // the first projected day repeats the total
  EXPECT_FLOAT_EQ(r.Series[34], 300.0f + 19 * 20.0f);

  const TFutureResult longer = Compute(Est(Apr(1), Apr(15), 0, 1000));  // t = 35 days
  EXPECT_EQ(longer.ReachDay, Apr(15) + 35);
  EXPECT_EQ(longer.SeriesDays, 50);

  const TFutureResult capped = Compute(Est(Apr(1), Apr(15), 400, 0));
  EXPECT_EQ(capped.SeriesDays, 365);
  EXPECT_FLOAT_EQ(capped.Series[364], 300.0f + 349 * 20.0f);
  EXPECT_EQ(capped.Series[365], 0.0f);
}

TEST_F(FutureCalc, ABaseValueCountsOnlyTheExcessOfEachDay) {
  SetValue(Apr(3), 15.0f);  // below the base: adds 0
  TFutureEst e = Est(Apr(1), Apr(10), 20, 20);
  e.Base = 18.0;
  const TFutureResult r = Compute(e);
  EXPECT_DOUBLE_EQ(r.PassValue, 18.0);   // nine days of 2, one of 0
  EXPECT_DOUBLE_EQ(r.TotalValue, 28.0);  // fifteen days
  EXPECT_FLOAT_EQ(r.Series[2], r.Series[1]);
  EXPECT_DOUBLE_EQ(r.LaterValue, 18.0 + 10 * 28.0 / 15);
  EXPECT_EQ(r.ReachDay, Apr(11));  // 20 after eleven days
  EXPECT_DOUBLE_EQ(SumDailyBetween(kAir, Apr(2), Apr(4), kSlot, stores, 18.0), 4.0);
}

TEST_F(FutureCalc, SumDailyBetweenCountsBothDaysOrAnswersMinusOne) {
  SetValue(Apr(7), std::nullopt);
  struct Case {
    const char* name;
    TDateTime first, last;
    int slot;
    double sum;
  } cases[] = {
      {"one day", Apr(4), Apr(4), kSlot, 20},
      {"begin through newest", Apr(1), Apr(15), kSlot, 280},
      {"over a day without data", Apr(6), Apr(8), kSlot, 40},
      {"last day without data", Apr(6), Apr(7), kSlot, -1},
      {"wrong order", Apr(8), Apr(6), kSlot, -1},
      {"before the first data", Apr(0), Apr(6), kSlot, -1},
      {"after the newest data", Apr(6), Apr(16), kSlot, -1},
      {"slot outside", Apr(1), Apr(2), 6, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(SumDailyBetween(kAir, c.first, c.last, c.slot, stores), c.sum);
  }
}

TEST_F(FutureCalc, NormalizeRefDaysAppliesTheDayKinds) {
  stores.RoomEst[kSlot].BeginDate = Apr(2) + 0.4;
  struct Case {
    int32_t bEvent, mEvent;
    int slot;
    int32_t bEventOut, mEventOut;
    TDateTime bDayOut, mDayOut;
  } cases[] = {
      {kDayLatest, kDayCultivationBegin, kSlot, kDayAny, kDayAny, Apr(5) + 0.25, Apr(9) + 0.5},
      {kDayCultivationEnd, kDayLatest, kSlot, kDayAny, kDayLatest, Apr(5) + 0.25, Apr(15)},
      {kDayCultivationBegin, kDayCultivationEnd, kSlot, kDayCultivationBegin, kDayCultivationEnd,
       Apr(2), Apr(15)},
      {24, 61, kSlot, 24, 61, Apr(5) + 0.25, Apr(9) + 0.5},
      {kDayCultivationBegin, kDayLatest, 6, kDayCultivationBegin, kDayLatest, Apr(5) + 0.25,
       Apr(9) + 0.5},
  };
  for (const Case& c : cases) {
    TFutureEst e = Est(Apr(5) + 0.25, Apr(9) + 0.5);
    e.BEvent = c.bEvent;
    e.MEvent = c.mEvent;
    NormalizeRefDays(e, c.slot, stores);
    EXPECT_EQ(e.BEvent, c.bEventOut);
    EXPECT_EQ(e.MEvent, c.mEventOut);
    EXPECT_EQ(e.BDay, c.bDayOut);
    EXPECT_EQ(e.MDay, c.mDayOut);
  }
}

}  // namespace
}  // namespace velk
