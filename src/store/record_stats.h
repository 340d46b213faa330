// SPDX-License-Identifier: MIT
// Statistics over a room's 5-minute ring: the daily records with their first and last values,
// and the period that the records with data cover.
#pragma once

#include "store/room_data.h"

namespace velk {

// Rewrites Day and Edge from Rec, newest date at position 0, one daily record per calendar date
// that has a non-empty record. A ring touching more dates than Day holds leaves the oldest out;
// positions beyond the last date built keep what they held.
void BuildDailyRecords(TRoomDat& store);

// Oldest and newest time and number of records (positions 0 to last - 1) that have a valid cell.
// Sets info and the store's FirstTime/LastTime; false (info zeroed, store untouched) when none.
bool ScanDataPeriod(TRoomDat& store, TRoomInfo& info);
// Records the period a scan found: `count` records with data between `oldest` and `newest` go
// to the room's information and the store's first and last times; no record clears the
// information and gives false.
bool SetDataPeriod(TRoomDat& store, TRoomInfo& info, int32_t count, double oldest, double newest);

}  // namespace velk
