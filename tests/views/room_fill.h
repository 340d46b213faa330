// SPDX-License-Identifier: MIT
// Rooms with a ring of 5-minute records for the chart tests.
#pragma once

#include <cmath>
#include <functional>

#include "store/record_stats.h"
#include "store/room_data.h"

namespace velk::test {

// The cell of an item at a time; the default is valid with Avg = 10 × item + the hour of day.
using TCellFn = std::function<TItemStat(double time, int item)>;

inline TItemStat DefaultCell(double time, int item) {
  const float avg = static_cast<float>(10 * item + std::fmod(time, 1.0) * 24);
  return TItemStat{1, avg, avg + 1, avg - 1};
}

// `count` closed records five minutes apart with the newest, at `last`, at position 1, and the
// live record two minutes later at position 0; the daily records rebuilt, FirstTime and LastTime
// set (and the room info's StartDate and LastDate when given).
inline void FillRing(TRoomDat& store, double last, int count, const TCellFn& cell = DefaultCell,
                     TRoomInfo* info = nullptr) {
  ClearRoomRecords(store);
  const long long lastMinute = std::llround(last * 1440);
  auto fill = [&](TRecDat& rec, long long minute) {
    rec.Time = minute / 1440.0;
    for (int i = 0; i < kItemCount; ++i) rec.Item[i] = cell(rec.Time, i);
  };
  fill(store.Rec[0], lastMinute + 2);
  for (int k = 1; k <= count && k < kRingSize; ++k) fill(store.Rec[k], lastMinute - 5LL * (k - 1));
  store.LastTime = store.Rec[1].Time;
  store.FirstTime = store.Rec[count < kRingSize ? count : kRingLast].Time;
  BuildDailyRecords(store);
  if (info) {
    info->StartDate = store.FirstTime;
    info->LastDate = store.LastTime;
  }
}

}  // namespace velk::test
