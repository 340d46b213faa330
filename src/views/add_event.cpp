// SPDX-License-Identifier: MIT
#include "views/add_event.h"

#include <utility>

#include "store/month_files.h"

namespace velk {

bool AddEvent(TStores& stores, const TAppEnv& env, int slot, const TEventBase& event) {
  if (slot < 0 || slot >= kRoomSlots) return false;
  TRoomEventDat& list = stores.RoomEvent[slot];
  list.Count = 0;
  for (int p = kEventCount - 1; p >= 1; --p) {
    list.Event[p] = std::move(list.Event[p - 1]);
    if (list.Event[p].Date != 0) ++list.Count;
  }
  list.Event[0] = event;
  ++list.Count;
  // A failed write is logged there; the entry stays in memory either way.
  AppendMonthEvent(env, slot, event);
  return true;
}

}  // namespace velk
