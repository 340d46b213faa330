// SPDX-License-Identifier: MIT
#include "analysis/future_model.h"

#include <gtest/gtest.h>

#include "settings/settings_files.h"
#include "store/record_stats.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEST(FutureTexts, ValuesWithTheTargetsDecimalsAndUnit) {
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  TFutureEst est;  // air temperature: 1 decimal, "℃"
  EXPECT_EQ(FutureValueText(1234.56, est, &room), "1234.6 ℃ d");
  EXPECT_EQ(FutureValueText(0.0, est, &room), "--");
  EXPECT_EQ(FutureValueText(-3.0, est, &room), "--");
  est.Target = 0;
  EXPECT_EQ(FutureValueText(12.345, est, &room), "12.35 kW/㎡(MJ) d");
  est.Target = 10;
  EXPECT_EQ(FutureValueText(12.5, est, &room), "12  d");  // no item: 0 decimals, no unit
  EXPECT_EQ(FutureValueText(12.5, est, nullptr), "12  d");
  est.Target = 1;
  est.Base = 10;
  EXPECT_EQ(FutureValueText(850.04, est, &room), "850.0 ℃ d (基準値 10)");
}

TEST(FutureTexts, ReachDayCountsTheBeginDayAsDayOne) {
  TFutureResult r;
  ClearFutureResult(r);
  EXPECT_EQ(ReachDayText(r), "--");
  r.BaseDay = EncodeDate(2020, 4, 1);
  r.ReachDay = EncodeDate(2020, 5, 5);
  EXPECT_EQ(ReachDayText(r), "35日目 2020年05月05日");
  r.ReachDay = r.BaseDay;
  EXPECT_EQ(ReachDayText(r), "1日目 2020年04月01日");
}

// Room 1 whose ring holds 2020/04/01 to now (2020/04/15 10:00), 20 ℃ all the time.
class FutureModel : public ::testing::Test {
 protected:
  FutureModel() : t(EncodeDateTime(2020, 4, 15, 10, 0)), model(t.env, stores) {
    SetDefaultRoomEst(1, stores.RoomEst[1]);
    TRoomDat& d = stores.Dat(1);
    const TDateTime now = t.env.Now();
    const int count = static_cast<int>((now - EncodeDate(2020, 4, 1)) * 288);
    for (int k = 0; k <= count; ++k) {
      TRecDat& r = d.Rec[k];
      r.Time = now - k * 5 * kMinute;
      r.Item[kAirTemperature] = {1, 20.0f, 20.0f, 20.0f};
    }
    d.FirstTime = d.Rec[count].Time;
    d.LastTime = now;
    model.SetSlot(1);
  }
  test::TestEnv t;
  TStores stores;
  TFutureModel model;
};

TEST_F(FutureModel, ComputeRebuildsTodaysDailyRecordFirst) {
  TRoomDat& d = stores.Dat(1);
  // A stale build of this morning that ended on 14 April, with today's record at 0.
  d.Day[0] = {EncodeDate(2020, 4, 15), {}};
  TFutureEst& e = model.Est(0);
  e.BDay = EncodeDate(2020, 4, 1);
  e.MEvent = kDayLatest;  // shown yesterday: the latest day moves on to today when computing
  e.MDay = EncodeDate(2020, 4, 14);
  model.Compute(0);
  EXPECT_EQ(d.Day[14].Time, EncodeDate(2020, 4, 1));
  EXPECT_EQ(e.MDay, EncodeDate(2020, 4, 15));
  EXPECT_DOUBLE_EQ(model.Result(0).PassValue, 300.0);
  EXPECT_EQ(model.PassText(0), "300.0 ℃ d");
  EXPECT_EQ(model.LaterText(1), "--");

  // An older newest record is kept as it stands (the nightly build has not run yet).
  d.Day[0].Time = EncodeDate(2020, 4, 14);
  d.Day[0].Item[kAirTemperature].Avg = 99.0f;
  model.Compute(0);
  EXPECT_EQ(d.Day[0].Item[kAirTemperature].Avg, 99.0f);
}

TEST_F(FutureModel, DayNumbersAndPickerDatesFollowTheBeginDay) {
  model.Est(0).BDay = EncodeDateTime(2020, 4, 1, 9, 0);
  EXPECT_EQ(model.DateForDayNumber(0, 1), EncodeDate(2020, 4, 1));
  EXPECT_EQ(model.DateForDayNumber(0, 200), EncodeDate(2020, 10, 17));
  EXPECT_EQ(model.DateForDayNumber(0, 0), std::nullopt);  // before the begin day
  EXPECT_EQ(model.DateForDayNumber(0, 65535), EncodeDate(2020, 4, 1) + 65534);
  EXPECT_EQ(model.DateForDayNumber(0, INT32_MAX), std::nullopt);
  EXPECT_EQ(model.DayNumberForDate(0, EncodeDate(2020, 10, 17)), 200);
  EXPECT_EQ(model.DayNumberForDate(0, EncodeDateTime(2020, 4, 1, 23, 0)), 1);
}

TEST_F(FutureModel, ChartShowsTheProjectionBeyondTheNewestDayApart) {
  BuildDailyRecords(stores.Dat(1));
  TFutureEst& e = model.Est(0);
  e.MEvent = kDayAny;
  e.BDay = EncodeDate(2020, 4, 1);
  e.MDay = EncodeDate(2020, 4, 15);
  e.LaterDays = 20;
  model.Compute(0);
  TFutureChart c = model.Chart(0);
  EXPECT_EQ(c.AxisBegin, EncodeDate(2020, 4, 1));
  EXPECT_EQ(c.AxisEnd, EncodeDate(2020, 5, 5));  // the 35th series day
  ASSERT_EQ(c.DataX.size(), 15u);
  EXPECT_EQ(c.DataX.back(), EncodeDate(2020, 4, 15));
  EXPECT_EQ(c.DataY.back(), 300.0);
  ASSERT_EQ(c.ProjX.size(), 21u);  // joined to the last day with data
  EXPECT_EQ(c.ProjX.front(), c.DataX.back());
  EXPECT_EQ(c.ProjX.back(), EncodeDate(2020, 5, 5));

  // No projection: the axis ends at the end reference day, points with nothing yet are left out.
  e.MDay = EncodeDate(2020, 4, 10);
  e.LaterDays = 0;
  model.Compute(0);
  c = model.Chart(0);
  EXPECT_EQ(c.AxisEnd, EncodeDate(2020, 4, 10));
  EXPECT_EQ(c.DataX.size(), 10u);
  EXPECT_TRUE(c.ProjX.empty());
}

TEST_F(FutureModel, SettingsSurviveASaveAndLoad) {
  model.Est(1).Target = 7;
  model.Est(1).OverVal = 4000;
  ASSERT_TRUE(model.Save());
  TFutureModel other(t.env, stores);
  ASSERT_TRUE(other.Load());
  EXPECT_EQ(other.Est(1).Target, 7);
  EXPECT_EQ(other.OverValText(1), "4000.0");
  EXPECT_EQ(other.ReachText(1), "--");
}

}  // namespace
}  // namespace velk
