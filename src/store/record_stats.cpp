// SPDX-License-Identifier: MIT
#include "store/record_stats.h"

#include <cstdint>

#include "base/date_time.h"

namespace velk {
namespace {

struct TItemDay {
  bool HasData;
  double Sum;
  uint16_t Count;
  double Max;
  double Min;
  float Start;  // Avg of the earliest valid cell (the scan runs from new to old)
  float End;    // Avg of the latest valid cell
};

struct TDayWork {
  TItemDay Item[kItemCount];
  void Reset() {
    for (TItemDay& d : Item) d = TItemDay{false, 0, 0, 0, 0, 0, 0};
  }
};

void CloseDate(TRoomDat& store, int r, double date, const TDayWork& work) {
  TRecDat& day = store.Day[r];
  TDayEdge& edge = store.Edge[r];
  day.Time = date;
  for (int n = 0; n < kItemCount; ++n) {
    const TItemDay& d = work.Item[n];
    if (d.HasData) {
      const float avg = d.Count ? static_cast<float>(d.Sum / d.Count) : 0.0f;
      day.Item[n] = TItemStat{1, avg, static_cast<float>(d.Max), static_cast<float>(d.Min)};
    } else {
      day.Item[n] = TItemStat{0, 0, 0, 0};
    }
    edge.Start[n] = d.Start;
    edge.End[n] = d.End;
  }
}

void AddCell(TItemDay& d, const TItemStat& cell) {
  const double avg = cell.Avg;
  if (!d.HasData) {
    d.Max = cell.Max != 0 ? cell.Max : avg;
    d.Min = cell.Min != 0 ? cell.Min : avg;
    d.End = cell.Avg;
  }
  d.HasData = true;
  d.Sum += avg;
  ++d.Count;
  d.Start = cell.Avg;
  // An extreme of exactly 0 counts as absent; the average always competes.
  if (cell.Max != 0 && cell.Max > d.Max) d.Max = cell.Max;
  if (avg > d.Max) d.Max = avg;
  if (cell.Min != 0 && cell.Min < d.Min) d.Min = cell.Min;
  if (avg < d.Min) d.Min = avg;
}

}  // namespace

void BuildDailyRecords(TRoomDat& store) {
  TDayWork work;
  work.Reset();
  int r = 0;
  bool haveDate = false;
  double date = 0;
  int64_t dayStartMs = 0;  // the current date's midnight in whole milliseconds
  for (int s = 0; s < kRingSize; ++s) {
    const TRecDat& rec = store.Rec[s];
    if (rec.Time == 0) continue;
    const int64_t ms = ToMilliseconds(rec.Time);
    if (!haveDate || ms < dayStartMs || ms >= dayStartMs + kMsPerDay) {
      if (haveDate) {
        CloseDate(store, r, date, work);
        if (++r == kDayCount) return;  // no room for the oldest date
      }
      haveDate = true;
      date = DateOf(rec.Time);
      dayStartMs = ToMilliseconds(date);
      work.Reset();
    }
    for (int n = 0; n < kItemCount; ++n) {
      if (rec.Item[n].Valid) AddCell(work.Item[n], rec.Item[n]);
    }
  }
  if (haveDate) CloseDate(store, r, date, work);
}

bool ScanDataPeriod(TRoomDat& store, TRoomInfo& info) {
  int32_t count = 0;
  double oldest = 0;
  double newest = 0;
  for (int s = 0; s < kRingLast; ++s) {
    const TRecDat& rec = store.Rec[s];
    if (rec.Time == 0) continue;
    bool valid = false;
    for (const TItemStat& cell : rec.Item) valid = valid || cell.Valid;
    if (!valid) continue;
    if (count == 0 || rec.Time < oldest) oldest = rec.Time;
    if (count == 0 || rec.Time > newest) newest = rec.Time;
    ++count;
  }
  return SetDataPeriod(store, info, count, oldest, newest);
}

bool SetDataPeriod(TRoomDat& store, TRoomInfo& info, int32_t count, double oldest, double newest) {
  if (count == 0) {
    info.StartDate = 0;
    info.LastDate = 0;
    info.RecCount = 0;
    return false;
  }
  info.StartDate = oldest;
  info.LastDate = newest;
  info.RecCount = count;
  store.FirstTime = oldest;
  store.LastTime = newest;
  return true;
}

}  // namespace velk
