// SPDX-License-Identifier: MIT
#include "views/histogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "base/date_time.h"
#include "views/room_fill.h"

namespace velk {
namespace {

int Total(const THistogram& h) {
  int n = 0;
  for (const THistBin& b : h.Bins()) n += b.Count;
  return n;
}

TEST(Histogram, BinsRunFromTheLargestValueDownInHalfDegreeSteps) {
  THistogram h;
  for (float v : {12.0f, 27.0f, 26.8f, 26.7f, 20.0f, 12.2f}) h.Add(v);
  h.ComputeBins();
  const auto& bins = h.Bins();
  EXPECT_FLOAT_EQ(bins[0].Position, 27.0f);
  EXPECT_FLOAT_EQ(bins[1].Position, 26.5f);
  EXPECT_FLOAT_EQ(bins[29].Position, 12.5f);
  EXPECT_EQ(bins[0].Count, 2) << "27.0 and 26.8";
  EXPECT_EQ(bins[1].Count, 1) << "26.7";
  EXPECT_EQ(bins[14].Count, 1) << "20.0, at 27 - 14 × 0.5";
  // The smallest values have no bin of their own; they are counted in the last one.
  EXPECT_EQ(bins[29].Count, 2) << "12.2 and 12.0";
  EXPECT_EQ(Total(h), 6);
}

TEST(Histogram, NoSpreadGivesThirtyEmptyBinsAtZero) {
  const std::vector<std::vector<float>> cases = {{}, {21.5f}, {3.0f, 3.0f, 3.0f}};
  for (const auto& values : cases) {
    THistogram h;
    for (float v : values) h.Add(v);
    h.ComputeBins();
    for (const THistBin& b : h.Bins()) {
      EXPECT_EQ(b.Position, 0);
      EXPECT_EQ(b.Count, 0);
    }
  }
}

TEST(Histogram, ExtremeValuesKeepEveryValueInAFiniteBin) {
  THistogram h;
  for (float v : {3.4e38f, -3.4e38f, 0.0f, 1.0f}) h.Add(v);
  h.ComputeBins();
  EXPECT_EQ(Total(h), 4);
  EXPECT_EQ(h.Bins()[0].Count, 1);
  EXPECT_EQ(h.Bins()[29].Count, 1);
  for (const THistBin& b : h.Bins()) EXPECT_TRUE(std::isfinite(b.Position));
}

TEST(Histogram, ClearEmptiesStoreAndBins) {
  THistogram h;
  h.Add(1);
  h.Add(2);
  h.ComputeBins();
  h.Clear();
  EXPECT_EQ(h.Size(), 0);
  EXPECT_EQ(h.Bins()[0].Count, 0);
  EXPECT_EQ(h.Bins()[0].Position, 0);
}

TEST(Histogram, CollectionDropsTheOldestValueBeyondTheStore) {
  // 120 days with a record at both ends: 34,561 records, newest collected first.
  auto store = NewRoomDat();
  const double end = EncodeDate(2021, 3, 1);
  test::FillRing(*store, end, kHistSlots + 20, [](double t, int item) {
    const float v = static_cast<float>(std::llround(t * 1440) % 100000);
    return TItemStat{static_cast<uint8_t>(item == kAirTemperature), v, v + 1, v - 1};
  });
  THistogram h;
  CollectHistogram(*store, kAirTemperature, THistKind::Min, end - 120, end, h);
  ASSERT_EQ(h.Size(), kHistSlots);
  EXPECT_EQ(h.Value(0), store->Rec[1].Item[kAirTemperature].Min) << "position 1 holds the end";
  EXPECT_EQ(h.Value(kHistSlots - 1), store->Rec[kHistSlots].Item[kAirTemperature].Min)
      << "the record at the window start, position 34,561, is dropped";
  EXPECT_FALSE(h.Add(0));

  CollectHistogram(*store, kHumidity, THistKind::Avg, end - 120, end, h);
  EXPECT_EQ(h.Size(), 0) << "no valid cell";
}

}  // namespace
}  // namespace velk
