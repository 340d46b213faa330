// SPDX-License-Identifier: MIT
#include "views/now_status.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velk {
namespace {

constexpr int kItem = kAirTemperature;

TRecDat Rec(TDateTime time, float avg) {
  TRecDat r{};
  r.Time = time;
  r.Item[kItem] = {1, avg, avg + 0.5f, avg - 0.5f};
  r.Item[kHumidity] = {1, 50, 50, 50};
  return r;
}

struct NowStatusTest : ::testing::Test {
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  TNowStatus status;
  TRoomDat& dat = stores->Dat(1);
};

TEST_F(NowStatusTest, WindowsFollowTheDayOfTheNewestData) {
  // Newest data at 10:00 on 21 June 2020: yesterday is 20 June, the 3-day window starts on
  // 18 June 00:00. Values are powers of two so each mean tells which records it holds.
  const auto at = [](int day, int h, int m) { return EncodeDateTime(2020, 6, day, h, m); };
  stores->RoomInfo[1].LastDate = at(21, 10, 0);
  stores->RoomInfo[1].StartDate = at(5, 23, 55);
  const TRecDat records[] = {
      Rec(at(21, 10, 0) + 30 * kSecond, 1),  // live
      Rec(at(21, 10, 0), 2),                 // newest 5-minute record
      Rec(at(21, 0, 0), 4),                  // today, not yesterday
      Rec(at(20, 23, 55), 8),                // yesterday
      Rec(at(20, 0, 0), 16),                 // yesterday, its first moment
      Rec(at(19, 23, 55), 32),               // 3-day
      Rec(at(18, 0, 0), 64),                 // 3-day, its first moment
      Rec(at(17, 23, 55), 128),              // 7-day
      Rec(at(14, 0, 0), 256),                // 7-day, its first moment
      Rec(at(13, 23, 55), 512),              // 15-day
      Rec(at(6, 0, 0), 1024),                // 15-day, its first moment
      Rec(at(5, 23, 55), 2048),              // since start (StartDate itself)
      Rec(at(5, 23, 50), 4096),              // before the start
  };
  for (size_t k = 0; k < std::size(records); ++k) dat.Rec[k] = records[k];
  dat.Rec[200] = Rec(0, 8192);  // no time: empty whatever its cells hold
  dat.Rec[201] = Rec(at(20, 12, 0), 99);
  dat.Rec[201].Item[kItem].Valid = 0;  // an invalid cell counts nowhere

  CalcNowStatus(*stores, 1, status);
  struct Want {
    TStatGroup group;
    double value;
  };
  const Want wants[] = {
      {kStatCurrent, 1},         {kStatPrevious, 2},           {kStatYesterdayAvg, (8 + 16) / 2.0},
      {kStatYesterdayMax, 16.5}, {kStatYesterdayMin, 7.5},     {kStat3DayAvg, 127 / 7.0},
      {kStat7DayAvg, 511 / 9.0}, {kStat15DayAvg, 2047 / 11.0}, {kStatSinceStartAvg, 4095 / 12.0},
  };
  for (const Want& w : wants) {
    EXPECT_EQ(status.Cell[w.group][kItem].Valid, 1) << w.group;
    EXPECT_DOUBLE_EQ(status.Cell[w.group][kItem].Value, w.value) << w.group;
    EXPECT_EQ(status.Cell[w.group][kCO2].Valid, 0) << w.group;  // never valid anywhere
  }
  EXPECT_DOUBLE_EQ(status.Cell[kStatYesterdayMin][kHumidity].Value, 50);
}

TEST_F(NowStatusTest, EmptyRingAndForeignSlotsShowNothing) {
  stores->RoomEst[1].Data[kItem].Name = "気温";
  stores->RoomEst[1].Data[kItem].Dec = 1;
  stores->RoomInfo[1].LastDate = EncodeDate(2020, 6, 21);
  TNowGrid grid;
  for (int slot : {1, -1, 6}) {
    status.Cell[0][0] = {1, 5};  // cleared by every computation
    CalcNowStatus(*stores, slot, status);
    FillNowGrid(*stores, slot, status, grid);
    for (int c = 1; c <= 8; ++c) {
      for (int r = 2; r < kNowGridRows; ++r) EXPECT_EQ(grid.Text[c][r], "--") << slot;
    }
  }
  EXPECT_EQ(grid.Text[0][2 + kItem], "");  // a foreign slot has no names
}

TEST(NowGrid, TextsMarksAndArrows) {
  auto stores = std::make_unique<TStores>();
  TDataEst* items = stores->RoomEst[2].Data;
  for (int n = 0; n < kItemCount; ++n) items[n].Dec = 1;
  items[0] = {"気温", 1, "℃", "", 0, 0, 0, 30, 10};
  items[1].Dec = 0;
  TNowStatus s{};
  // Item 0: one value per group, the limit edges among them.
  const double values[kStatGroupCount] = {30.0, 23.49, 20.04, 30.01, 9.9, 10.0, 31, 8, 19.96};
  for (int g = 0; g < kStatGroupCount; ++g) s.Cell[g][0] = {1, values[g]};
  s.Cell[kStat7DayAvg][0].Valid = 0;
  // Items 1 to 6: the arrow compares unrounded values; equal limits (0, 0) never mark.
  const struct {
    uint8_t nowValid;
    double now;
    uint8_t prevValid;
    double prev;
    const char* text;
  } arrows[] = {
      {1, 23.51, 1, 23.49, "24  ↑"},  // Dec 0
      {1, 23.51, 1, 23.49, "23.5  ↑"}, {1, 23.49, 1, 23.51, "23.5  ↓"}, {1, -5, 1, -5, "-5.0"},
      {0, 23.51, 1, 23.49, "--"},      {1, 23.51, 0, 23.49, "23.5"},
  };
  for (int i = 0; i < 6; ++i) {
    s.Cell[kStatCurrent][1 + i] = {arrows[i].nowValid, arrows[i].now};
    s.Cell[kStatPrevious][1 + i] = {arrows[i].prevValid, arrows[i].prev};
    s.Cell[kStatYesterdayMax][1 + i] = {1, 1e6};
  }

  TNowGrid grid;
  grid.Mark[3][2] = kMarkAbove;  // left from an earlier fill
  FillNowGrid(*stores, 2, s, grid);
  const std::vector<std::string> row0 = {"項目",  "現在",  "昨日",   "",       "",
                                         "3日間", "7日間", "15日間", "定植後", "単位"};
  const std::vector<std::string> row1 = {"",     "",     "最高", "平均", "最低",
                                         "平均", "平均", "平均", "平均", ""};
  for (int c = 0; c < kNowGridCols; ++c) {
    EXPECT_EQ(grid.Text[c][0], row0[c]);
    EXPECT_EQ(grid.Text[c][1], row1[c]);
  }
  // Columns: current, yesterday max, avg, min, 3-, 7-, 15-day, since start.
  const std::vector<std::string> texts = {"気温", "30.0  ↑", "30.0", "20.0", "9.9",
                                          "10.0", "--",      "8.0",  "20.0", "℃"};
  const std::vector<int> marks = {0, 0, kMarkAbove, 0, kMarkBelow, 0, 0, kMarkBelow, 0, 0};
  for (int c = 0; c < kNowGridCols; ++c) {
    EXPECT_EQ(grid.Text[c][2], texts[c]) << c;
    EXPECT_EQ(grid.Mark[c][2], marks[c]) << c;
  }
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(grid.Text[1][3 + i], arrows[i].text) << i;
    for (int c = 0; c < kNowGridCols; ++c) EXPECT_EQ(grid.Mark[c][3 + i], 0);
  }
}

TEST(NowGrid, FixedPointFormat) {
  const struct {
    double value;
    int dec;
    const char* text;
  } cases[] = {{23.45, 0, "23"},
               {0.05, 1, "0.1"},
               {-0.04, 1, "-0.0"},
               {1234.5, 3, "1234.500"},
               {3.4e38, 0, "339999999999999996123846586046231871488"},
               {1.0, 255, nullptr}};
  for (const auto& c : cases) {
    const std::string text = FormatFixed(c.value, c.dec);
    if (c.text)
      EXPECT_EQ(text, c.text);
    else
      EXPECT_EQ(text.size(), 257u);  // the widest precision a setting allows
  }
}

TEST(NowNotices, RoomsInUseWithoutFreshValues) {
  auto stores = std::make_unique<TStores>();
  stores->RoomEst[0].Use = kUseCultivating;
  stores->RoomEst[2].Use = kUsePaused;
  stores->RoomEst[3].Use = kUseNone;
  stores->RoomEst[5].Use = kUseCultivating;
  const uint8_t lost[kRoomSlots] = {1, 1, 1, 1, 0, 1};
  EXPECT_EQ(NoticeLines(*stores, lost),
            (std::vector<std::string>{"[No.0]: 全データ未受信", "[No.2]: 全データ未受信",
                                      "[No.5]: 全データ未受信"}));
}

TEST(NowMemoList, RebuiltWhenTheNewestEventDateChanges) {
  auto stores = std::make_unique<TStores>();
  stores->RoomEvent[1].Event[0] = {EncodeDateTime(2020, 6, 21, 9, 0), "誘引", {}};
  stores->RoomEvent[1].Event[1] = {EncodeDateTime(2020, 6, 22, 7, 0), "定植日", {}};
  stores->RoomEvent[2].Event[0] = {EncodeDateTime(2020, 6, 21, 9, 0), "別の部屋", {}};
  TDateTime remembered = 0;
  std::vector<std::string> lines{"old"};
  ASSERT_TRUE(UpdateMemoList(*stores, 1, remembered, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"2020/06/21 | 誘引", "2020/06/22 | 定植日"}));
  EXPECT_FALSE(UpdateMemoList(*stores, 1, remembered, lines));
  // Another room whose newest event has the same date keeps the list: the rule looks at the
  // date only.
  EXPECT_FALSE(UpdateMemoList(*stores, 2, remembered, lines));
  EXPECT_TRUE(UpdateMemoList(*stores, 3, remembered, lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(remembered, 0);
  EXPECT_FALSE(UpdateMemoList(*stores, 9, remembered, lines));
}

}  // namespace
}  // namespace velk
