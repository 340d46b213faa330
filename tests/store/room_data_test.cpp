// SPDX-License-Identifier: MIT
#include "store/room_data.h"

#include <gtest/gtest.h>

#include "store/stores.h"

namespace velk {
namespace {

TEST(RoomData, FieldWidthsMatchTheStoreSize) {
  EXPECT_EQ(sizeof(TItemStat), 16u);
  EXPECT_EQ(sizeof(TRecDat), 168u);
  // Six slots of ring, daily records and edges: about 106 MB.
  EXPECT_NEAR(6.0 * sizeof(TRoomDat) / 1e6, 106.0, 1.0);
}

TEST(RoomData, ClearingRecordsKeepsEdgesAndPeriodTimes) {
  TRoomDatPtr store = NewRoomDat();
  store->FirstTime = 100;
  store->LastTime = 200;
  store->Rec[7].Time = 5;
  store->Rec[7].Item[3] = {1, 1.5f, 2, 1};
  store->Day[0].Time = 4;
  store->Edge[0].Start[2] = 9;
  ClearRoomRecords(*store);
  EXPECT_EQ(store->Rec[7].Time, 0);
  EXPECT_EQ(store->Rec[7].Item[3].Valid, 0);
  EXPECT_EQ(store->Rec[7].Item[3].Avg, 0);
  EXPECT_EQ(store->Day[0].Time, 0);
  EXPECT_EQ(store->Edge[0].Start[2], 9);
  EXPECT_EQ(store->FirstTime, 100);
  EXPECT_EQ(store->LastTime, 200);
}

TEST(RoomData, ClearingEventsEmptiesEveryEntry) {
  TRoomEventDat events;
  events.Count = 2;
  events.Event[0] = {1.0, "定植日", {1, 2, 3, 4, 5}};
  ClearRoomEvents(events);
  EXPECT_EQ(events.Count, 0);
  EXPECT_EQ(events.Event[0].Date, 0);
  EXPECT_TRUE(events.Event[0].Text.empty());
  EXPECT_EQ(events.Event[0].Reserved[4], 0);
}

TEST(RoomData, GlobalStoresStartEmpty) {
  TStores stores;
  for (int slot = 0; slot < kRoomSlots; ++slot) {
    EXPECT_EQ(stores.Dat(slot).Rec[kRingLast].Time, 0);
    EXPECT_EQ(stores.RoomInfo[slot].Sunrise, 0);
    EXPECT_TRUE(stores.RoomEst[slot].Name.empty());
    EXPECT_EQ(stores.RoomEvent[slot].Event[kEventCount - 1].Date, 0);
  }
  EXPECT_EQ(kDefaultSunrise, 0.27222222089767456);
  EXPECT_EQ(kDefaultSunset, 0.699999988079071);
}

}  // namespace
}  // namespace velk
