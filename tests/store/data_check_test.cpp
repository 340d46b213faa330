// SPDX-License-Identifier: MIT
#include "store/data_check.h"

#include <gtest/gtest.h>

#include "base/date_time.h"

namespace velk {
namespace {

struct DataCheckTest : ::testing::Test {
  TRoomDatPtr store = NewRoomDat();
  TDataCheckModel model;
};

TEST_F(DataCheckTest, HeadersOfBothBases) {
  EXPECT_EQ(model.ColumnCount(), 31);
  EXPECT_EQ(model.RowCount(), 0);  // nothing before "ShowData"
  EXPECT_EQ(model.Header(0), "Time");
  EXPECT_EQ(model.Header(1), "1 Avg");
  EXPECT_EQ(model.Header(5), "2 Max");
  EXPECT_EQ(model.Header(30), "10 Min");
  model.LayOut(TDataCheckBase::Day);
  EXPECT_EQ(model.ColumnCount(), 51);
  EXPECT_EQ(model.Header(4), "1 Start");
  EXPECT_EQ(model.Header(10), "2 End");
  EXPECT_EQ(model.Header(50), "10 End");
  EXPECT_THROW(model.Header(51), std::out_of_range);
  EXPECT_EQ(DataCheckSlot(-1), 0);
  EXPECT_EQ(DataCheckSlot(9), 5);
}

TEST_F(DataCheckTest, RowsShowTheSnapshotInBothBases) {
  TRecDat& live = store->Rec[0];
  live.Time = EncodeDateTime(2020, 11, 13, 9, 5, 30);
  live.Item[1] = {1, 12.3f, 12.3f, 12.3f};
  live.Item[2] = {0, 5, 5, 5};  // not valid: empty cells whatever they hold
  store->Day[0] = live;
  store->Day[0].Time = EncodeDate(2020, 11, 13);
  store->Day[0].Item[1] = {1, 20, 25.5f, 12.3f};
  store->Edge[0].Start[1] = 14;
  store->Edge[0].End[1] = 19.25f;

  model.Show(*store, TDataCheckBase::Time);
  EXPECT_EQ(model.RowCount(), kRingSize);
  EXPECT_EQ(model.Cell(0, 0), "2020/11/13 09:05");
  EXPECT_EQ(model.Cell(0, 4), "12.3000001907349");
  EXPECT_EQ(model.Cell(0, 6), "12.3000001907349");
  EXPECT_EQ(model.Cell(0, 7), "");
  EXPECT_EQ(model.Cell(kRingLast, 0), "1899/12/30 00:00");  // an empty record
  EXPECT_EQ(model.Cell(kRingLast, 1), "");
  // The ring moves on; the rows stay what was shown.
  store->Rec[0].Item[1].Avg = 30;
  EXPECT_EQ(model.Cell(0, 4), "12.3000001907349");

  model.Show(*store, TDataCheckBase::Day);
  EXPECT_EQ(model.RowCount(), kRingSize);
  EXPECT_EQ(model.Cell(0, 0), "2020/11/13");
  const char* expected[] = {"20", "25.5", "12.3000001907349", "14", "19.25"};
  for (int part = 0; part < 5; ++part) EXPECT_EQ(model.Cell(0, 6 + part), expected[part]);
  EXPECT_EQ(model.Cell(0, 11), "");
  EXPECT_EQ(model.Cell(1, 0), "1899/12/30");
  EXPECT_EQ(model.Cell(kDayCount, 0), "");
  model.LayOut(TDataCheckBase::Time);
  EXPECT_EQ(model.RowCount(), 0);
}

}  // namespace
}  // namespace velk
