// SPDX-License-Identifier: MIT
// The global stores of one process: allocated once, never resized. The application owns one
// instance; core operations take the parts they work on as parameters.
#pragma once

#include <cstdint>

#include "settings/site_est.h"
#include "store/room_data.h"

namespace velk {

struct TStores {
  TStores();
  TStores(const TStores&) = delete;
  TStores& operator=(const TStores&) = delete;

  TRoomDat& Dat(int slot) { return *RoomDat[slot]; }

  TRoomDatPtr RoomDat[kRoomSlots];
  TRoomInfo RoomInfo[kRoomSlots] = {};
  TRoomEst RoomEst[kRoomSlots];
  TRoomEventDat RoomEvent[kRoomSlots];
  TSiteEst SiteEst;
  // Raised when the settings view takes room values; cleared by the acquisition cycle.
  uint8_t RoomEstChanged = 0;
};

}  // namespace velk
