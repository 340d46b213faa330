// SPDX-License-Identifier: MIT
// The steps of the acquisition cycle that need no window: the once-a-second sampling of live
// values into the running 5-minute sums, the live record, the 5-minute closing with its appends
// to the monthly and record CSV files, and the nightly rebuild of daily records.
#pragma once

#include <cstdint>
#include <string>

#include "acquisition/ccm_parser.h"
#include "acquisition/live_value_table.h"
#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

// The running 5-minute accumulator of one room slot and item.
struct TCCMSum {
  uint8_t HasData;
  double Sum;
  double Max;
  double Min;
  int32_t Count;
};

// Counters of the cycle and the accumulators (row 0 stays reset).
struct TAcquisitionState {
  int32_t StartTicks = 20;  // 100 ms ticks left before the start-up load
  int32_t TickCount = 0;    // ticks since the last once-a-second step
  int32_t LastMinute = 0;   // clock minute seen by the previous once-a-second step
  TCCMSum Sum[kRoomSlots][kItemCount] = {};
};

// Everything the once-a-second step reads and writes.
struct TAcquisitionContext {
  const TAppEnv& Env;
  TStores& Stores;
  TAcquisitionState& State;
  TLiveValueTable& Table;
  TCCMReceiver& Receiver;
  TSystemSts& Status;
};

void SampleCCMTable(TAcquisitionState& state, const TLiveValueTable& table,
                    const TRoomEst (&rooms)[kRoomSlots]);
void UpdateLiveRecord(TStores& stores, const TLiveValueTable& table, TDateTime now);
// Positions 1 to 105,118 move one place older; the record at 105,119 drops out.
void ShiftRecords(TRoomDat& store);
// " A B" for the entries of `events` dated `today`, in list order; empty when there are none.
std::string GetTodayEventText(const TRoomEventDat& events, TDateTime today);
void CloseFiveMinuteRecord(const TAppEnv& env, TStores& stores, TAcquisitionState& state);

// The once-a-second step, in its order: counters, settings change, closing and nightly rebuild at
// a new minute, sampling, live records, ageing.
void RunSecondStep(TAcquisitionContext& ctx);

}  // namespace velk
