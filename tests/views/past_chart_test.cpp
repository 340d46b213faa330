// SPDX-License-Identifier: MIT
#include "views/past_chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/date_time.h"
#include "views/room_fill.h"

namespace velk {
namespace {

using test::FillRing;

const double kDay = EncodeDate(2020, 11, 13);  // a midnight

TPastChecks OneItem(int item, std::initializer_list<int> kinds) {
  TPastChecks c;
  c.Kind.fill(false);
  for (int k : kinds) c.Kind[k] = true;
  c.Item[item] = true;
  return c;
}

struct TWindowCase {
  int Span;
  double Behind;  // LastTime - window end, in days
  int Count;
  const char* Format;
  int32_t Offset;
};

TEST(PastWindow, CountStartFormatAndOffsetRounding) {
  // 5-minute offsets are cut towards zero; daily offsets go to the nearest, halves to even.
  const TWindowCase cases[] = {
      {1, -2.5 / 288, 288, "mm/dd hh:nn", -2},
      {7, 0.75, 2016, "mm/dd hh:nn", 216},
      {30, -2.5, 30, "mm/dd", -2},
      {30, -3.5, 30, "mm/dd", -4},
      {120, -0.4, 120, "mm/dd", 0},
      {120, 1.5, 120, "mm/dd", 2},
  };
  auto store = NewRoomDat();
  for (const TWindowCase& c : cases) {
    store->LastTime = kDay + 10 + c.Behind;
    const TPastWindow w = SetUpPastWindow(*store, c.Span, kDay + 10);
    EXPECT_EQ(w.Count, c.Count) << c.Span;
    EXPECT_DOUBLE_EQ(w.Start, kDay + 10 - c.Span);
    EXPECT_STREQ(w.LabelFormat, c.Format);
    EXPECT_EQ(w.RecordOffset, c.Offset) << c.Span << " " << c.Behind;
  }
}

TEST(PastChart, InvalidCellLeavesAGapInTheAverageNotADropToZero) {
  auto store = NewRoomDat();
  const double gap = kDay + 12.0 / 24;
  FillRing(*store, kDay + 1, 300, [gap](double t, int item) {
    TItemStat cell = test::DefaultCell(t, item);
    if (std::abs(t - gap) < kMinute) cell.Valid = 0;
    return cell;
  });
  TPastChart chart;
  BuildPastChart(*store, OneItem(kAirTemperature, {kKindAvg, kKindMax, kKindMin}), 1, kDay + 1,
                 chart);
  const TPastSeries& avg = chart.Series[kSerAvg];
  ASSERT_EQ(avg.X.size(), 289u) << "every record of [D, D + 1], both ends included";
  EXPECT_TRUE(std::is_sorted(avg.X.begin(), avg.X.end()));
  EXPECT_EQ(chart.Series[kSerAxis].X, avg.X);
  const size_t at = 144;
  EXPECT_NEAR(avg.X[at], gap, 1e-9);
  EXPECT_TRUE(std::isnan(avg.Y[at]));
  EXPECT_TRUE(std::isnan(chart.Series[kSerMin].Y[at]));
  // "最大" leaves the null point out, so its line joins the neighbours instead of breaking.
  const TPastSeries& max = chart.Series[kSerMax];
  ASSERT_EQ(max.X.size(), 288u);
  EXPECT_NEAR(max.X[at], gap + 5 * kMinute, 1e-9);
  EXPECT_FALSE(std::isnan(max.Y[at]));
  // The fallback mean is the mean of the window's valid averages.
  EXPECT_GT(chart.FallbackMean[kAirTemperature], 10);
  EXPECT_LT(chart.FallbackMean[kAirTemperature], 34);
  EXPECT_DOUBLE_EQ(avg.Y[at + 1], test::DefaultCell(avg.X[at + 1], kAirTemperature).Avg);
  EXPECT_DOUBLE_EQ(max.Y[at], test::DefaultCell(avg.X[at + 1], kAirTemperature).Max);
}

TEST(PastChart, NoItemCheckedDrawsOnlyTheTimeAxis) {
  auto store = NewRoomDat();
  FillRing(*store, kDay + 2 + 0.5, 2000);
  for (int span : {1, 30}) {
    TPastChart chart;
    TPastChecks checks;
    BuildPastChart(*store, checks, span, kDay + 3, chart);
    EXPECT_FALSE(chart.Series[kSerAxis].X.empty()) << span;
    for (int s = 0; s < kSerAxis; ++s) EXPECT_TRUE(chart.Series[s].X.empty()) << span << " " << s;
    EXPECT_TRUE(chart.Candles.empty());
  }
}

TEST(PastChart, EmptySlotAndWindowOfInvalidCellsDrawNothingButTheAxis) {
  auto store = NewRoomDat();
  TPastChart chart;
  BuildPastChart(*store, OneItem(kCO2, {kKindAvg}), 1, 0, chart);
  EXPECT_TRUE(chart.Series[kSerAxis].X.empty()) << "empty records (time 0) are no points";

  FillRing(*store, kDay + 0.5, 400, [](double, int) {
    return TItemStat{0, 3.4e38f, 3.4e38f, -3.4e38f};
  });
  BuildPastChart(*store, OneItem(kCO2, {kKindAvg, kKindMax}), 1, kDay + 1, chart);
  EXPECT_TRUE(std::isnan(chart.FallbackMean[kCO2]));
  EXPECT_TRUE(chart.Series[kSerMax].X.empty());
  EXPECT_EQ(chart.Series[kSerAvg].X.size(), chart.Series[kSerAxis].X.size());
  for (double y : chart.Series[kSerAvg].Y) EXPECT_TRUE(std::isnan(y));
}

// 130 days of records ending at 14:00 of the newest day.
class PastChartDaily : public testing::Test {
 protected:
  void SetUp() override { FillRing(*store, kDay + 130 + 14.0 / 24, 130 * 288); }
  double Newest() const { return kDay + 130; }
  TRoomDatPtr store = NewRoomDat();
  TPastChart chart;
};

TEST_F(PastChartDaily, ThreeMonthsHold120Or121Days) {
  BuildPastChart(*store, OneItem(kHumidity, {kKindAvg}), 120, Newest() + 1, chart);
  ASSERT_EQ(chart.Series[kSerAvg].X.size(), 120u);
  EXPECT_DOUBLE_EQ(chart.Series[kSerAvg].X.back(), Newest()) << "the newest date is drawn";
  BuildPastChart(*store, OneItem(kHumidity, {kKindAvg}), 120, Newest(), chart);
  EXPECT_EQ(chart.Series[kSerAvg].X.size(), 121u) << "both window ends fall on dates with data";
}

TEST_F(PastChartDaily, MovingAveragesNearTheOldestDateAverageWhatExists) {
  TPastChecks checks = OneItem(kAirTemperature, {kKind3Avg, kKind7Avg, kKind15Avg});
  // The window ends where the daily records end: the oldest date has no earlier ones.
  const double oldest = kDay;
  BuildPastChart(*store, checks, 30, oldest + 2, chart);
  const TPastSeries& ma3 = chart.Series[kSer3Avg];
  ASSERT_GE(ma3.X.size(), 2u);
  ASSERT_DOUBLE_EQ(ma3.X[0], oldest);
  // The oldest date's day holds only 10:00..23:55 of the fill; its averages are its own mean.
  const int pos = 130;  // Day[130] is the oldest date
  ASSERT_DOUBLE_EQ(store->Day[pos].Time, oldest);
  EXPECT_NEAR(ma3.Y[0], store->Day[pos].Item[kAirTemperature].Avg, 1e-5);
  EXPECT_NEAR(chart.Series[kSer15Avg].Y[0], store->Day[pos].Item[kAirTemperature].Avg, 1e-5);
  const double two =
      (store->Day[pos].Item[kAirTemperature].Avg + store->Day[pos - 1].Item[kAirTemperature].Avg) /
      2.0;
  EXPECT_NEAR(ma3.Y[1], two, 1e-5);
  EXPECT_NEAR(chart.Series[kSer7Avg].Y[1], two, 1e-5);
}

TEST_F(PastChartDaily, MovingAverageOverTheDatesHoldingData) {
  BuildPastChart(*store, OneItem(kAirTemperature, {kKind7Avg}), 30, Newest() + 1, chart);
  const TPastSeries& ma = chart.Series[kSer7Avg];
  ASSERT_EQ(ma.X.size(), 30u);
  double sum = 0;
  for (int p = 1; p <= 7; ++p) sum += store->Day[p].Item[kAirTemperature].Avg;
  EXPECT_NEAR(ma.Y[ma.Y.size() - 2], sum / 7, 1e-5) << "the day before the newest: Day[1..7]";
}

TEST_F(PastChartDaily, CandlesFromTheDaysEdgesColouredByThePreviousClose) {
  // Closes that fall, rise and stay: the day's last average follows the date.
  for (int p = 0; p < 5; ++p) {
    store->Edge[p].End[kSoilMoisture] = static_cast<float>(p % 3);
    store->Edge[p].Start[kSoilMoisture] = 7;
  }
  store->Day[2].Item[kSoilMoisture].Valid = 0;
  BuildPastChart(*store, OneItem(kSoilMoisture, {kKindCandle}), 30, Newest() + 1, chart);
  ASSERT_EQ(chart.Candles.size(), 29u) << "no candle for the date without a valid cell";
  const TCandle& last = chart.Candles.back();
  EXPECT_DOUBLE_EQ(last.Time, Newest());
  EXPECT_EQ(last.Open, 7);
  EXPECT_EQ(last.Close, 0);
  EXPECT_EQ(last.High, store->Day[0].Item[kSoilMoisture].Max);
  EXPECT_EQ(last.Low, store->Day[0].Item[kSoilMoisture].Min);
  // Closes of Day[4], Day[3], Day[1], Day[0]: 1, 0, 1, 0.
  const size_t n = chart.Candles.size();
  EXPECT_FALSE(chart.Candles[n - 3].Up);
  EXPECT_TRUE(chart.Candles[n - 2].Up);
  EXPECT_FALSE(chart.Candles[n - 1].Up);
  EXPECT_TRUE(chart.Series[kSerAvg].X.empty());
}

TEST_F(PastChartDaily, MultiItemModeOneKindOnFourSeries) {
  TPastChecks checks;
  checks.Kind = {false, true, false, false, false, false, false};
  for (int i : {kSolarRadiation, kCO2, kDewPoint, kSoilMoisture, kWindSpeed}) checks.Item[i] = true;
  BuildPastChart(*store, checks, 1, Newest() + 1, chart);
  ASSERT_TRUE(chart.Multi);
  EXPECT_EQ(chart.MultiKind, kKindMax);
  EXPECT_EQ(chart.MultiItems,
            (std::array<int, 4>{kSolarRadiation, kCO2, kDewPoint, kSoilMoisture}));
  for (int s = 0; s < kSerLine1; ++s) EXPECT_TRUE(chart.Series[s].X.empty());
  const TPastSeries& third = chart.Series[kSerLine1 + 2];
  ASSERT_EQ(third.X.size(), 14u * 12 + 2) << "00:00 to 14:00 of the newest day and the live record";
  EXPECT_DOUBLE_EQ(third.Y[5], test::DefaultCell(third.X[5], kDewPoint).Max);

  // A moving average draws items only from the daily records.
  checks.Kind = {false, false, false, false, false, true, false};
  BuildPastChart(*store, checks, 7, Newest() + 1, chart);
  for (int s = kSerLine1; s <= kSerLine4; ++s) EXPECT_TRUE(chart.Series[s].X.empty());
  EXPECT_FALSE(chart.Series[kSerAxis].X.empty());
  BuildPastChart(*store, checks, 30, Newest() + 1, chart);
  EXPECT_EQ(chart.Series[kSerLine4].X.size(), 30u);
}

TEST(PastChart, EventMarkersInsideTheWindowOldestFirst) {
  TRoomEventDat events;
  events.Event[0] = {kDay + 1.5, "開花日", {}};
  events.Event[1] = {kDay + 0.25, "定植日", {}};
  events.Event[2] = {kDay - 0.5, "前日", {}};
  events.Event[3] = {kDay + 1, "境界", {}};
  const auto markers = EventMarkersIn(events, kDay, kDay + 1);
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_EQ(markers[0].Text, "定植日");
  EXPECT_EQ(markers[1].Text, "境界");
}

}  // namespace
}  // namespace velk
