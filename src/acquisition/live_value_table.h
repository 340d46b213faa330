// SPDX-License-Identifier: MIT
// The last value heard for every room and item, how long it stays fresh, and the key (CCM type,
// room, region, order) by which a reading is recognised as belonging to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/room_data.h"

namespace velk {

// Seconds a stored value stays fresh after its last reading.
inline constexpr uint32_t kCCMHoldSeconds = 180;
// Acquisition ticks (100 ms) a matched reading keeps the slot's reception indicator running.
inline constexpr int32_t kRecvIndicatorTicks = 2;

// One live value cell. A cleared cell is all zero with an empty CCM.
struct TCCMData {
  uint8_t Valid;
  uint32_t Hold;  // seconds left while fresh
  std::string CCM;
  double Value;
  int16_t Room, Region, Order;
};

// The reception summary read by the status line and the current status view.
struct TSystemSts {
  uint8_t NetActive = 0;  // 1 once the listener has started; never back to 0
  int32_t RecvCount = 0;  // datagrams in the last full second
  int32_t RoomRecv[kRoomSlots] = {};
  std::string MyIP;
  uint8_t RoomLost[kRoomSlots] = {};
};

// Row 0 (the file-data slot) is never configured and never receives.
struct TLiveValueTable {
  TCCMData Cell[kRoomSlots][kItemCount];
  int32_t RecvTicks[kRoomSlots];
};

void ClearCCMData(TCCMData& cell);
// Every cell cleared and every reception indicator at 0.
void ClearCCMTable(TLiveValueTable& table);

// Rebuilds the keys of rows 1 to 5 from the room settings, clearing every cell (so all held
// values are dropped). An item's own numbers replace the room's as a whole when any is not 0.
void SetupCCMTable(TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots]);

// A received 0 stands for every room, region or order; otherwise the numbers must be equal.
bool MatchCCMAddress(int16_t room, int16_t region, int16_t order, int16_t cellRoom,
                     int16_t cellRegion, int16_t cellOrder);

// Stores one reading into every cell of rows 1 to 5 whose key matches (type compared whole and
// case-sensitively) and starts the indicator of each matched slot.
void StoreCCMValue(TLiveValueTable& table, std::string_view type, double value, int16_t room,
                   int16_t region, int16_t order);

// The once-a-second ageing: counts holds down, drops values whose hold ran out, and sets
// RoomLost of every slot 1 to 5 that is unused or holds no fresh value.
void AgeCCMTable(TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots], TSystemSts& sts);

// The reception indicator step of every acquisition tick once the network is up.
void StepRecvIndicator(TLiveValueTable& table, TSystemSts& sts);

}  // namespace velk
