// SPDX-License-Identifier: MIT
// Loading events into a room's event list: insertion by date from the far end, then packing.
#pragma once

#include "store/room_data.h"

namespace velk {

// Scans positions 499 down to 1: stores the event at the first empty position, or at the first
// one holding a later event after positions 1..p moved one down (position 0 is overwritten).
// False when the event was dropped. Position 0 is never filled.
bool InsertEventByDate(TRoomEventDat& events, const TEventBase& event);

// Moves the entries to positions 0 upward keeping their order; sets Count to their number.
void PackEvents(TRoomEventDat& events);

}  // namespace velk
