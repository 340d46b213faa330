// SPDX-License-Identifier: MIT
#include "store/record_stats.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/date_format.h"
#include "store/record_ring.h"

namespace velk {
namespace {

TDateTime At(int d, int h, int n) {
  return EncodeDateTime(2020, 11, d, h, n);
}

struct Cell {
  float avg, max, min;
};

// Puts records at positions 1 upward, newest first, with item 1 holding the given cell.
void Fill(TRoomDat& store, const std::vector<std::pair<TDateTime, Cell>>& records) {
  int p = 1;
  for (const auto& [time, cell] : records) {
    store.Rec[p].Time = time;
    store.Rec[p].Item[kAirTemperature] = {1, cell.avg, cell.max, cell.min};
    ++p;
  }
}

TEST(RecordStats, OneDailyRecordPerDateNewestFirst) {
  TRoomDatPtr store = NewRoomDat();
  // Newest first: 00:00 belongs to the 14th, 23:55 to the 13th.
  Fill(*store,
       {{At(14, 0, 5), {30, 31, 29}}, {At(14, 0, 0), {20, 21, 19}}, {At(13, 23, 55), {10, 11, 9}}});
  store->Day[2].Time = 123;  // beyond the dates built: kept
  BuildDailyRecords(*store);
  EXPECT_EQ(FormatDateTime(kFmtRecordTime, store->Day[0].Time), "2020/11/14 00:00");
  EXPECT_EQ(FormatDateTime(kFmtRecordTime, store->Day[1].Time), "2020/11/13 00:00");
  EXPECT_EQ(store->Day[0].Item[kAirTemperature].Avg, 25);
  EXPECT_EQ(store->Day[1].Item[kAirTemperature].Avg, 10);
  EXPECT_EQ(store->Day[0].Item[kSolarRadiation].Valid, 0);
  EXPECT_EQ(store->Day[2].Time, 123);
}

TEST(RecordStats, DailyValuesFromTheFiveMinuteCells) {
  struct Case {
    const char* name;
    std::vector<Cell> cells;  // oldest first
    float avg, max, min, start, end;
  };
  const Case cases[] = {
      {"mean, first and last", {{10, 11, 9}, {20, 21, 19}, {30, 31, 29}}, 20, 31, 9, 10, 30},
      {"zero extremes are absent", {{5, 0, 0}}, 5, 5, 5, 5, 5},
      {"a zero maximum alone", {{-1, 0, -2}}, -1, -1, -2, -1, -1},
      {"averages compete", {{4, 0, 0}, {6, 5, 0}}, 5, 6, 4, 4, 6},
      {"zero readings", {{0, 0, 0}, {0, 0, 0}}, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TRoomDatPtr store = NewRoomDat();
    std::vector<std::pair<TDateTime, Cell>> records;
    for (size_t i = 0; i < c.cells.size(); ++i) {
      records.insert(records.begin(), {At(13, 10, static_cast<int>(5 * i)), c.cells[i]});
    }
    Fill(*store, records);
    BuildDailyRecords(*store);
    const TItemStat& day = store->Day[0].Item[kAirTemperature];
    EXPECT_EQ(day.Valid, 1) << c.name;
    EXPECT_FLOAT_EQ(day.Avg, c.avg) << c.name;
    EXPECT_EQ(day.Max, c.max) << c.name;
    EXPECT_EQ(day.Min, c.min) << c.name;
    EXPECT_EQ(store->Edge[0].Start[kAirTemperature], c.start) << c.name;
    EXPECT_EQ(store->Edge[0].End[kAirTemperature], c.end) << c.name;
  }
}

TEST(RecordStats, ARebuildClearsItemsWithoutDataOnTheNewDate) {
  TRoomDatPtr store = NewRoomDat();
  store->Day[0].Item[kHumidity] = {1, 50, 60, 40};
  store->Edge[0].Start[kHumidity] = 45;
  // Position 0 takes part like any record; a grid record alone still makes a date.
  store->Rec[0].Time = At(13, 10, 2);
  store->Rec[0].Item[kAirTemperature] = {1, 8, 8, 8};
  store->Rec[1].Time = At(12, 10, 0);
  BuildDailyRecords(*store);
  EXPECT_EQ(store->Day[0].Item[kHumidity].Valid, 0);
  EXPECT_EQ(store->Day[0].Item[kHumidity].Avg, 0);
  EXPECT_EQ(store->Edge[0].Start[kHumidity], 0);
  EXPECT_EQ(store->Day[0].Item[kAirTemperature].Avg, 8);
  EXPECT_EQ(FormatDateTime(kFmtDate, store->Day[1].Time), "2020/11/12");
  for (const TItemStat& cell : store->Day[1].Item) EXPECT_EQ(cell.Valid, 0);
}

TEST(RecordStats, AFullRingOfThreeHundredSixtySixDatesLeavesTheOldestOut) {
  TRoomDatPtr store = NewRoomDat();
  const TDateTime now = At(13, 10, 7);  // not midnight: the ring reaches into a 366th date
  const TDateTime e = EndOfCurrentPeriod(now);
  for (int k = 0; k < kRingSize; ++k) {
    store->Rec[k].Time = e - k * kPeriodDays;
    store->Rec[k].Item[kAirTemperature] = {1, 1, 1, 1};
  }
  const TDateTime oldestDate = DateOf(store->Rec[kRingLast].Time);
  ASSERT_EQ(DateOf(e) - oldestDate, 365);
  BuildDailyRecords(*store);
  EXPECT_EQ(store->Day[0].Time, DateOf(e));
  EXPECT_EQ(store->Day[kDayCount - 1].Time, oldestDate + 1);
  EXPECT_EQ(store->Day[kDayCount - 1].Item[kAirTemperature].Valid, 1);
}

TEST(RecordStats, PeriodScanCountsRecordsWithData) {
  TRoomDatPtr store = NewRoomDat();
  TRoomInfo info{};
  store->FirstTime = 7;
  store->LastTime = 8;
  EXPECT_FALSE(ScanDataPeriod(*store, info));
  EXPECT_EQ(store->FirstTime, 7);

  store->Rec[5].Time = At(13, 10, 0);
  store->Rec[5].Item[kCO2].Valid = 1;
  store->Rec[6].Time = At(13, 9, 55);  // grid record: no valid cell
  store->Rec[7].Item[kCO2].Valid = 1;  // Time 0: empty whatever the cells hold
  store->Rec[kRingLast].Time = At(1, 0, 0);
  store->Rec[kRingLast].Item[kCO2].Valid = 1;  // the last position is not examined
  EXPECT_TRUE(ScanDataPeriod(*store, info));
  EXPECT_EQ(info.RecCount, 1);
  EXPECT_EQ(info.StartDate, At(13, 10, 0));
  EXPECT_EQ(info.LastDate, At(13, 10, 0));
  EXPECT_EQ(store->FirstTime, At(13, 10, 0));
  EXPECT_EQ(store->LastTime, At(13, 10, 0));
}

}  // namespace
}  // namespace velk
