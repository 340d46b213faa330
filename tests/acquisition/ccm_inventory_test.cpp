// SPDX-License-Identifier: MIT
#include "acquisition/ccm_inventory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "acquisition/ccm_parser.h"
#include "ccm_text.h"
#include "settings/settings_files.h"
#include "support/test_env.h"

namespace velk {
namespace {

const TDateTime kNoon = EncodeDateTime(2020, 11, 13, 12, 0, 0);

TEST(CCMInventory, EachPartOfTheKeyMakesADistinctEntryAndARepeatUpdatesItInPlace) {
  TCCMInventory inv;
  inv.SetNow(kNoon);
  inv.Note("192.168.1.3", "InAirTemp", 1, 0, 0, "21.5");
  inv.Note("192.168.1.3", "InAirTemp", 2, 0, 0, "1");
  inv.Note("192.168.1.3", "InAirTemp", 1, 1, 0, "2");
  inv.Note("192.168.1.3", "InAirTemp", 1, 0, 1, "3");
  inv.Note("192.168.1.3", "inairtemp", 1, 0, 0, "4");  // types compare case-sensitively
  ASSERT_EQ(inv.Size(), 5);

  inv.SetNow(kNoon + 5 * kSecond);
  inv.Note("192.168.1.40", "InAirTemp", 1, 0, 0, "22.0");
  ASSERT_EQ(inv.Size(), 5);
  const TCCMInventoryEntry& e = inv.Entry(0);
  EXPECT_EQ(e.Key.Type, "InAirTemp");
  EXPECT_EQ(e.Peer, "192.168.1.40");
  EXPECT_EQ(e.Value, "22.0");
  EXPECT_DOUBLE_EQ(e.FirstHeard, kNoon);
  EXPECT_DOUBLE_EQ(e.LastHeard, kNoon + 5 * kSecond);
  EXPECT_EQ(e.Total, 2u);
  EXPECT_THROW(inv.Entry(5), std::out_of_range);
  EXPECT_THROW(inv.Entry(-1), std::out_of_range);
}

TEST(CCMInventory, CountsTheLastSixtySecondsAsTheClockMovesOn) {
  TCCMInventory inv;
  auto at = [&](int second, int datagrams) {
    inv.SetNow(kNoon + second * kSecond);
    for (int i = 0; i < datagrams; ++i) inv.Note("p", "InCO2Dens", 1, 0, 0, "400");
  };
  at(0, 3);
  at(30, 2);
  struct Case {
    int second;
    uint32_t count;
  };
  // Second 60 reuses the ring place of second 0: its old count must not leak into the new one.
  for (const Case c : {Case{59, 5}, Case{60, 2}, Case{89, 2}, Case{90, 0}}) {
    inv.SetNow(kNoon + c.second * kSecond);
    EXPECT_EQ(inv.CountLastMinute(0), c.count) << "second " << c.second;
  }
  at(120, 1);  // same ring place as seconds 0 and 60
  EXPECT_EQ(inv.CountLastMinute(0), 1u);
  EXPECT_EQ(inv.Entry(0).Total, 6u);
}

TEST(CCMInventory, WhenFullTheKeyHeardLongestAgoMakesRoom) {
  TCCMInventory inv;
  inv.SetNow(kNoon);
  for (int i = 0; i < kInventoryCapacity; ++i) inv.Note("p", "T" + std::to_string(i), 1, 0, 0, "0");
  inv.Note("p", "T0", 1, 0, 0, "1");  // heard again: T1 is now the one heard longest ago
  inv.Note("p", "New", 1, 0, 0, "2");
  EXPECT_EQ(inv.Size(), kInventoryCapacity);
  EXPECT_EQ(inv.Dropped(), 1u);
  EXPECT_EQ(inv.Entry(1).Key.Type, "New");  // took T1's place
  EXPECT_EQ(inv.Entry(1).Total, 1u);
  EXPECT_EQ(inv.Entry(0).Key.Type, "T0");

  inv.Note("p", "T1", 1, 0, 0, "3");  // the dropped key comes back as a new entry, dropping T2
  EXPECT_EQ(inv.Entry(2).Key.Type, "T1");
  inv.Note("p", "New", 1, 0, 0, "4");  // still found where it is
  EXPECT_EQ(inv.Entry(1).Total, 2u);
  EXPECT_EQ(inv.Dropped(), 2u);
}

TEST(CCMInventory, ReceiverNotesEveryDataReadingWithItsSenderEvenWithABadValue) {
  test::TestEnv t(kNoon);
  TLiveValueTable table;
  ClearCCMTable(table);
  TCCMInventory inv;
  inv.SetNow(kNoon);
  TCCMReceiver rx;
  rx.Env = &t.env;
  rx.Table = &table;
  rx.Inventory = &inv;
  ReceiveCCM(rx, "10.0.0.7", sim::BuildDataCCM("InAirTemp", {3, 1, 2, 15}, "18.25", "10.0.0.7"));
  ReceiveCCM(rx, "10.0.0.8", sim::BuildDataCCM("InAirHumid", {3, 0, 0, 15}, "abc", "10.0.0.8"));
  ReceiveCCM(rx, "10.0.0.9", "<UECS><NODESCAN/></UECS>");  // not a reading
  const std::string longValue(200, '7');
  ReceiveCCM(rx, "10.0.0.9", sim::BuildDataCCM("Big", {3, 0, 0, 15}, longValue, "10.0.0.9"));
  ASSERT_EQ(inv.Size(), 3);
  const TCCMInventoryEntry& temp = inv.Entry(0);
  EXPECT_EQ(temp.Key.Type, "InAirTemp");
  EXPECT_EQ(temp.Key.Room, 3);
  EXPECT_EQ(temp.Key.Region, 1);
  EXPECT_EQ(temp.Key.Order, 2);
  EXPECT_EQ(temp.Peer, "10.0.0.7");
  EXPECT_EQ(temp.Value, "18.25");
  EXPECT_EQ(inv.Entry(1).Value, "abc");
  EXPECT_EQ(inv.Entry(2).Value, std::string(kInventoryValueMax, '7'));
  EXPECT_TRUE(rx.Peer.empty());  // no view of the datagram outlives the call
}

struct InventoryFeeds : ::testing::Test {
  InventoryFeeds() {
    for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, rooms[slot]);
    rooms[1].Use = kUseCultivating;  // room 1, region 0, order 0
    rooms[2].Use = kUsePaused;
    rooms[2].Room = 2;
    rooms[2].Data[kSoilTemperature].Region = 4;  // its own numbers: room 0, region 4, order 0
    rooms[3].Room = 3;                           // not used
    ClearCCMTable(table);
    SetupCCMTable(table, rooms);
  }
  TRoomEst rooms[kRoomSlots];
  TLiveValueTable table;
};

TEST_F(InventoryFeeds, NamesEveryItemTheKeyFeedsByTheMatchingRule) {
  struct Case {
    TCCMKey key;
    const char* text;
    bool feeds;
  };
  const Case cases[] = {
      {{"InAirTemp", 1, 0, 0}, "1号棟 気温", true},
      {{"InAirTemp", 0, 0, 0}, "1号棟 気温、2号棟 気温", true},  // received 0: every room
      {{"InAirTemp", 1, 3, 0}, "該当なし", false},  // region 3 against the room's region 0
      {{"InAirTemp", 3, 0, 0}, "該当なし", false},  // room 3 is not used
      {{"inairtemp", 1, 0, 0}, "該当なし", false},
      {{"SoilTemp.mIA", 0, 4, 0}, "2号棟 地温", true},  // region 4 is not room 1's region 0
      {{"SoilTemp.mIA", 2, 0, 0}, "該当なし", false},   // room 2's soil item listens to room 0 only
      {{"", 0, 0, 0}, "該当なし", false},  // an empty type never matches a cleared cell
  };
  for (const Case& c : cases) {
    bool feeds = !c.feeds;
    EXPECT_EQ(InventoryFeedsText(c.key, table, rooms, &feeds), c.text)
        << c.key.Type << " " << c.key.Room << "-" << c.key.Region << "-" << c.key.Order;
    EXPECT_EQ(feeds, c.feeds) << c.key.Type;
  }
}

TEST_F(InventoryFeeds, RowShowsTheTimeOfDayForTodayAndSortsNumbersAsNumbers) {
  TCCMInventory inv;
  inv.SetNow(kNoon - 1.0);  // yesterday
  inv.Note("192.168.1.5", "InAirTemp", 1, 0, 0, "9.5");
  inv.SetNow(kNoon + 7 * kSecond);
  inv.Note("192.168.1.6", "Foo", 12, 3, 4, "n/a");

  const TCCMInventoryRow old = InventoryRow(inv, 0, table, rooms);
  EXPECT_EQ(old.Text[kInvLastHeard], "2020/11/12 12:00:00");
  EXPECT_EQ(old.Text[kInvPerMinute], "0");
  EXPECT_EQ(old.Text[kInvFeeds], "1号棟 気温");
  EXPECT_TRUE(old.Feeds);
  EXPECT_DOUBLE_EQ(old.SortNumber[kInvValue], 9.5);

  const TCCMInventoryRow row = InventoryRow(inv, 1, table, rooms);
  EXPECT_EQ(row.Text[kInvType], "Foo");
  EXPECT_EQ(row.Text[kInvRoom], "12");
  EXPECT_EQ(row.Text[kInvPeer], "192.168.1.6");
  EXPECT_EQ(row.Text[kInvValue], "n/a");
  EXPECT_EQ(row.Text[kInvPerMinute], "1");
  EXPECT_EQ(row.Text[kInvLastHeard], "12:00:07");
  EXPECT_EQ(row.Text[kInvFeeds], "該当なし");
  EXPECT_FALSE(row.Feeds);
  EXPECT_DOUBLE_EQ(row.SortNumber[kInvRoom], 12);
  EXPECT_TRUE(std::isinf(row.SortNumber[kInvValue]));  // after every number
  EXPECT_GT(row.SortNumber[kInvLastHeard], old.SortNumber[kInvLastHeard]);
  EXPECT_TRUE(std::isnan(row.SortNumber[kInvType]));
}

}  // namespace
}  // namespace velk
