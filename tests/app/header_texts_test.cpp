// SPDX-License-Identifier: MIT
#include "app/header_texts.h"

#include <gtest/gtest.h>

#include "settings/settings_files.h"

namespace velk {
namespace {

TEST(HeaderTexts, GrowthDaysCountFromOne) {
  const double today = EncodeDateTime(2020, 11, 13, 9, 5);
  const struct {
    double from;
    const char* expected;
  } cases[] = {
      {EncodeDate(2020, 11, 13), "0週1日 / 1日目"},
      {EncodeDateTime(2020, 11, 13, 23, 59), "0週1日 / 1日目"},
      {EncodeDate(2020, 11, 6), "1週1日 / 8日目"},
      {EncodeDate(2020, 10, 22), "3週2日 / 23日目"},
      {EncodeDate(2020, 11, 14), "0週2日 / 2日目"},  // a begin date after today counts the same way
  };
  for (const auto& c : cases) EXPECT_EQ(GrowthDaysText(c.from, today), c.expected);
}

TEST(HeaderTexts, RoomStateAndListEntries) {
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  const double today = EncodeDate(2020, 11, 13);
  EXPECT_EQ(RoomGrowthText(room, today), "未使用棟");
  room.Use = kUsePaused;
  EXPECT_EQ(RoomGrowthText(room, today), "栽培休止中");
  room.Use = 7;
  EXPECT_EQ(RoomGrowthText(room, today), "栽培休止中");
  room.Use = kUseCultivating;
  room.BeginDate = today - 22;
  EXPECT_EQ(RoomGrowthText(room, today), "3週2日 / 23日目");
  EXPECT_EQ(RoomEntryText(1, room), "[No.1] 栽培室1(1-0-0)");
  EXPECT_EQ(FileEntryText(""), "ファイル：");
  EXPECT_EQ(MainWindowTitle(false), "UECS-VELK Ver.1.1.0.0");
  EXPECT_EQ(MainWindowTitle(true), "UECS-VELK Ver.1.1.0.0  【履歴専用モード】");
}

TEST(HeaderTexts, StatusBarShowsReceptionAndLeavesUnusedRoomsAlone) {
  TRoomEst rooms[kRoomSlots];
  for (int i = 0; i < kRoomSlots; ++i) SetDefaultRoomEst(i, rooms[i]);
  rooms[1].Use = kUseCultivating;
  rooms[2].Use = kUsePaused;
  TSystemSts sts;
  sts.MyIP = "192.0.2.7";
  auto down = StatusBarTexts(sts, rooms);
  EXPECT_EQ(*down[0], "受信できません");
  EXPECT_EQ(*down[1], "1号棟: ×");
  EXPECT_EQ(*down[2], "2号棟: ×");
  EXPECT_FALSE(down[3].has_value());
  EXPECT_EQ(*down[6], "My IP: 192.0.2.7");
  sts.NetActive = 1;
  sts.RecvCount = 12;
  sts.RoomRecv[1] = 1;
  auto up = StatusBarTexts(sts, rooms);
  EXPECT_EQ(*up[0], "受信数: 12/s.");
  EXPECT_EQ(*up[1], "1号棟: ●");
  EXPECT_EQ(*up[2], "2号棟: ");
  EXPECT_FALSE(up[5].has_value());
}

}  // namespace
}  // namespace velk
