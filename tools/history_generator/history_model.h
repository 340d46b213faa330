// SPDX-License-Identifier: MIT
// A year of plausible greenhouse history for demos and benchmarks: 5-minute records of the ten
// default items with daily and seasonal cycles, a few recorder outages and cultivation events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/app_env.h"
#include "store/room_data.h"

namespace velk::hist {

struct THistoryOptions {
  TDateTime End = 0;  // time of the newest record, on a five-minute boundary
  int Days = 365;     // records cover Days × 288 periods ending at End
  uint32_t Seed = 1;
  bool Gaps = true;        // leave out a few periods where the recorder was off
  double Latitude = 35.0;  // degrees north, for the sun's path
};

struct TRoomHistory {
  std::vector<TRecDat> Records;    // oldest first, on the five-minute grid
  std::vector<TEventBase> Events;  // in the order they were added (oldest first)
  TDateTime BeginDate = 0;         // the day cultivation began ("栽培開始")
};

// The newest five-minute boundary not after `t`.
TDateTime FloorToPeriod(TDateTime t);

// Deterministic for a slot and seed.
TRoomHistory GenerateRoomHistory(int slot, const THistoryOptions& options);

struct TWriteResult {
  int MonthFiles = 0;
  bool Ok = true;
};

// Replaces the slot's monthly files of the covered months with the records and events in time
// order. With `csv`, also writes Room<N>.csv for `room` from its BeginDate on, with the day's
// events as memo of each 23:55 record.
TWriteResult WriteRoomHistory(const TAppEnv& env, int slot, const TRoomHistory& history,
                              const TRoomEst* csvRoom);

}  // namespace velk::hist
