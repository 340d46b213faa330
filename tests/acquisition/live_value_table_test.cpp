// SPDX-License-Identifier: MIT
#include "acquisition/live_value_table.h"

#include <gtest/gtest.h>

#include "settings/settings_files.h"

namespace velk {
namespace {

struct LiveValueTable : ::testing::Test {
  LiveValueTable() {
    for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, rooms[slot]);
    ClearCCMTable(table);
  }
  // Slot 1 in use as room 1, region 0, order 0 with the default items.
  void UseRoom(int slot, int16_t room, int16_t region = 0, int16_t order = 0) {
    rooms[slot].Use = kUseCultivating;
    rooms[slot].Room = room;
    rooms[slot].Region = region;
    rooms[slot].Order = order;
  }
  const TCCMData& Soil(int slot) const { return table.Cell[slot][kSoilTemperature]; }

  TRoomEst rooms[kRoomSlots];
  TLiveValueTable table;
  TSystemSts sts;
};

TEST(MatchCCMAddress, ZeroReceivedMatchesAnyCellButCellZeroMatchesOnlyZero) {
  struct Case {
    int16_t recv[3];
    int16_t cell[3];
    bool match;
  };
  const Case cases[] = {
      {{1, 0, 0}, {1, 0, 0}, true},    // equal
      {{1, 2, 0}, {1, 0, 0}, false},   // a cell's 0 matches only a received 0
      {{0, 0, 0}, {1, 0, 0}, true},    // received 0 stands for every room
      {{0, 0, 0}, {3, 7, 9}, true},    // ... region and order
      {{2, 1, 1}, {1, 1, 1}, false},   // another room
      {{1, 1, 2}, {1, 1, 1}, false},   // another order
      {{-1, 1, 1}, {1, 1, 1}, false},  // an invalid number matches no configured cell
      {{-1, -1, -1}, {-1, -1, -1}, true}, {{0, -1, 0}, {5, 1, 5}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchCCMAddress(c.recv[0], c.recv[1], c.recv[2], c.cell[0], c.cell[1], c.cell[2]),
              c.match)
        << c.recv[0] << "," << c.recv[1] << "," << c.recv[2] << " vs " << c.cell[0] << ","
        << c.cell[1] << "," << c.cell[2];
  }
}

TEST_F(LiveValueTable, SetupTakesTheRoomKeyOrTheItemsOwnNumbersAsAWhole) {
  UseRoom(1, 1, 4, 5);
  rooms[1].Data[kSoilTemperature].Room = 3;  // own numbers 3, 0, 0 replace all three
  UseRoom(2, 2);
  rooms[2].Data[kAirTemperature].Order = 7;  // own numbers 0, 0, 7
  table.Cell[3][0].CCM = "stale";            // slot 3 unused: cleared
  SetupCCMTable(table, rooms);

  EXPECT_EQ(table.Cell[1][kAirTemperature].CCM, "InAirTemp");
  EXPECT_EQ(table.Cell[1][kAirTemperature].Room, 1);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Region, 4);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Order, 5);
  EXPECT_EQ(Soil(1).CCM, "SoilTemp.mIA");
  EXPECT_EQ(Soil(1).Room, 3);
  EXPECT_EQ(Soil(1).Region, 0);
  EXPECT_EQ(Soil(1).Order, 0);
  EXPECT_EQ(table.Cell[2][kAirTemperature].Room, 0);
  EXPECT_EQ(table.Cell[2][kAirTemperature].Order, 7);
  EXPECT_EQ(table.Cell[3][0].CCM, "");
  EXPECT_EQ(table.Cell[0][0].CCM, "");
}

TEST_F(LiveValueTable, StoreMatchesTypeExactlyAndTheAddressRule) {
  UseRoom(1, 1);
  SetupCCMTable(table, rooms);
  struct Case {
    const char* type;
    int16_t room, region, order;
    bool stored;
  };
  const Case cases[] = {
      {"SoilTemp.mIA", 1, 0, 0, true},
      {"SoilTemp.mIA", 1, 2, 0, false},  // the cell's region 0 matches only a received 0
      {"SoilTemp.mIA", 0, 0, 0, true},   // a received room 0 reaches every room
      {"SoilTemp", 1, 0, 0, false},      // suffix missing
      {"soiltemp.mia", 1, 0, 0, false},  // case differs
      {"SoilTemp.mIA ", 1, 0, 0, false},
      {"SoilTemp.mIA", 2, 0, 0, false},
  };
  for (const Case& c : cases) {
    SetupCCMTable(table, rooms);
    StoreCCMValue(table, c.type, 21.5, c.room, c.region, c.order);
    EXPECT_EQ(Soil(1).Valid, c.stored ? 1 : 0) << c.type << " " << c.room << "," << c.region;
    if (c.stored) {
      EXPECT_EQ(Soil(1).Value, 21.5);
      EXPECT_EQ(Soil(1).Hold, kCCMHoldSeconds);
    }
    EXPECT_EQ(table.Cell[1][kAirTemperature].Valid, 0);  // other items of the room untouched
  }
}

TEST_F(LiveValueTable, AnItemWithItsOwnRoomListensOnlyThere) {
  UseRoom(1, 1);
  rooms[1].Data[kSoilTemperature].Room = 3;
  SetupCCMTable(table, rooms);
  StoreCCMValue(table, "SoilTemp.mIA", 1.0, 1, 0, 0);
  EXPECT_EQ(Soil(1).Valid, 0);
  StoreCCMValue(table, "SoilTemp.mIA", 2.0, 3, 0, 0);
  EXPECT_EQ(Soil(1).Valid, 1);
  EXPECT_EQ(Soil(1).Value, 2.0);
}

TEST_F(LiveValueTable, OneReadingFeedsSeveralRoomsAndLightsEachIndicatorForOneTick) {
  UseRoom(1, 1);
  UseRoom(2, 2);
  UseRoom(3, 3);
  SetupCCMTable(table, rooms);
  StoreCCMValue(table, "InAirTemp", 18.0, 0, 0, 0);  // room 0: every room
  StoreCCMValue(table, "InAirTemp", 19.0, 3, 0, 0);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Value, 18.0);
  EXPECT_EQ(table.Cell[2][kAirTemperature].Value, 18.0);
  EXPECT_EQ(table.Cell[3][kAirTemperature].Value, 19.0);

  StepRecvIndicator(table, sts);
  const int32_t lit[kRoomSlots] = {0, 1, 1, 1, 0, 0};
  for (int slot = 0; slot < kRoomSlots; ++slot) EXPECT_EQ(sts.RoomRecv[slot], lit[slot]) << slot;
  StepRecvIndicator(table, sts);
  for (int slot = 0; slot < kRoomSlots; ++slot) EXPECT_EQ(sts.RoomRecv[slot], 0) << slot;
  StepRecvIndicator(table, sts);
  EXPECT_EQ(table.RecvTicks[1], 0);
}

TEST_F(LiveValueTable, AValueIsFreshFor180AgeingStepsAndStaleAtThe181st) {
  UseRoom(1, 1);
  UseRoom(2, 2);
  SetupCCMTable(table, rooms);
  StoreCCMValue(table, "SoilTemp.mIA", 16.0, 1, 0, 0);
  for (int step = 1; step <= 180; ++step) {
    AgeCCMTable(table, rooms, sts);
    ASSERT_EQ(Soil(1).Valid, 1) << step;
    ASSERT_EQ(sts.RoomLost[1], 0) << step;
  }
  EXPECT_EQ(Soil(1).Hold, 0u);
  AgeCCMTable(table, rooms, sts);
  EXPECT_EQ(Soil(1).Valid, 0);
  EXPECT_EQ(Soil(1).Value, 16.0);  // the last value stays, only its freshness goes
  // Lost: the room with no fresh item, the room that never heard anything, every unused slot;
  // never the file-data slot.
  const uint8_t lost[kRoomSlots] = {0, 1, 1, 1, 1, 1};
  for (int slot = 0; slot < kRoomSlots; ++slot) EXPECT_EQ(sts.RoomLost[slot], lost[slot]) << slot;
}

TEST_F(LiveValueTable, AnotherFreshItemKeepsTheRoomFromBeingLost) {
  UseRoom(1, 1);
  SetupCCMTable(table, rooms);
  StoreCCMValue(table, "SoilTemp.mIA", 16.0, 1, 0, 0);
  for (int step = 0; step < 100; ++step) AgeCCMTable(table, rooms, sts);
  StoreCCMValue(table, "InAirTemp", 20.0, 1, 0, 0);
  for (int step = 0; step < 81; ++step) AgeCCMTable(table, rooms, sts);
  EXPECT_EQ(Soil(1).Valid, 0);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Valid, 1);
  EXPECT_EQ(sts.RoomLost[1], 0);
}

TEST_F(LiveValueTable, RebuildingTheKeysDropsEveryHeldValue) {
  UseRoom(1, 1);
  UseRoom(2, 2);
  SetupCCMTable(table, rooms);
  StoreCCMValue(table, "InAirTemp", 18.0, 0, 0, 0);
  rooms[2].Name = "changed";  // a change in one room rebuilds all of them
  SetupCCMTable(table, rooms);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Valid, 0);
  EXPECT_EQ(table.Cell[2][kAirTemperature].Valid, 0);
  EXPECT_EQ(table.Cell[1][kAirTemperature].Value, 0.0);
  EXPECT_EQ(table.Cell[1][kAirTemperature].CCM, "InAirTemp");
}

}  // namespace
}  // namespace velk
