// SPDX-License-Identifier: MIT
#include "acquisition/live_value_table.h"

namespace velk {

void ClearCCMData(TCCMData& cell) {
  cell.Valid = 0;
  cell.Hold = 0;
  cell.CCM.clear();
  cell.Value = 0.0;
  cell.Room = cell.Region = cell.Order = 0;
}

void ClearCCMTable(TLiveValueTable& table) {
  for (auto& row : table.Cell) {
    for (TCCMData& cell : row) ClearCCMData(cell);
  }
  for (int32_t& ticks : table.RecvTicks) ticks = 0;
}

void SetupCCMTable(TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots]) {
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    const TRoomEst& room = rooms[slot];
    for (int item = 0; item < kItemCount; ++item) {
      TCCMData& cell = table.Cell[slot][item];
      ClearCCMData(cell);
      if (room.Use == kUseNone) continue;
      const TDataEst& data = room.Data[item];
      cell.CCM = data.CCM;
      if (data.Room != 0 || data.Region != 0 || data.Order != 0) {
        cell.Room = data.Room;
        cell.Region = data.Region;
        cell.Order = data.Order;
      } else {
        cell.Room = room.Room;
        cell.Region = room.Region;
        cell.Order = room.Order;
      }
    }
  }
}

bool MatchCCMAddress(int16_t room, int16_t region, int16_t order, int16_t cellRoom,
                     int16_t cellRegion, int16_t cellOrder) {
  return (room == 0 || room == cellRoom) && (region == 0 || region == cellRegion) &&
         (order == 0 || order == cellOrder);
}

void StoreCCMValue(TLiveValueTable& table, std::string_view type, double value, int16_t room,
                   int16_t region, int16_t order) {
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    for (TCCMData& cell : table.Cell[slot]) {
      if (!MatchCCMAddress(room, region, order, cell.Room, cell.Region, cell.Order)) continue;
      if (cell.CCM != type) continue;
      cell.Value = value;
      cell.Hold = kCCMHoldSeconds;
      cell.Valid = 1;
      table.RecvTicks[slot] = kRecvIndicatorTicks;
    }
  }
}

void AgeCCMTable(TLiveValueTable& table, const TRoomEst (&rooms)[kRoomSlots], TSystemSts& sts) {
  for (int slot = 1; slot < kRoomSlots; ++slot) {
    sts.RoomLost[slot] = 1;
    if (rooms[slot].Use == kUseNone) continue;
    for (TCCMData& cell : table.Cell[slot]) {
      if (cell.Hold > 0) {
        --cell.Hold;
      } else {
        cell.Valid = 0;
      }
      if (cell.Valid == 1) sts.RoomLost[slot] = 0;
    }
  }
}

void StepRecvIndicator(TLiveValueTable& table, TSystemSts& sts) {
  for (int slot = 0; slot < kRoomSlots; ++slot) {
    if (table.RecvTicks[slot] > 0) --table.RecvTicks[slot];
    sts.RoomRecv[slot] = table.RecvTicks[slot] > 0 ? 1 : 0;
  }
}

}  // namespace velk
