// SPDX-License-Identifier: MIT
#include "acquisition/acquisition_cycle.h"

#include <cstring>

#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/record_stats.h"

namespace velk {

void SampleCCMTable(TAcquisitionState& state, const TLiveValueTable& table,
                    const TRoomEst (&rooms)[kRoomSlots]) {
  for (int s = 1; s < kRoomSlots; ++s) {
    if (rooms[s].Use == kUseNone) continue;
    for (int j = 0; j < kItemCount; ++j) {
      const TCCMData& cell = table.Cell[s][j];
      if (cell.Valid != 1) continue;
      TCCMSum& a = state.Sum[s][j];
      const double v = cell.Value;
      if (a.HasData == 0) {
        a.Max = v;
        a.Min = v;
      }
      a.HasData = 1;
      a.Sum += v;
      a.Count += 1;
      if (v > a.Max) a.Max = v;
      if (v < a.Min) a.Min = v;
    }
  }
}

void UpdateLiveRecord(TStores& stores, const TLiveValueTable& table, TDateTime now) {
  for (int s = 1; s < kRoomSlots; ++s) {
    if (stores.RoomEst[s].Use == kUseNone) continue;
    TRecDat& live = stores.Dat(s).Rec[0];
    live.Time = now;
    for (int j = 0; j < kItemCount; ++j) {
      const TCCMData& cell = table.Cell[s][j];
      const float v = static_cast<float>(cell.Value);
      live.Item[j] = TItemStat{cell.Valid, v, v, v};
    }
  }
}

void ShiftRecords(TRoomDat& store) {
  // One block move: position i takes position i - 1 for i = 105,119 down to 2.
  std::memmove(&store.Rec[2], &store.Rec[1], sizeof(TRecDat) * (kRingLast - 1));
}

std::string GetTodayEventText(const TRoomEventDat& events, TDateTime today) {
  std::string text;
  for (const TEventBase& e : events.Event) {
    if (e.Date != 0 && DateOf(e.Date) == today) {
      text += ' ';
      text += e.Text;
    }
  }
  return text;
}

void CloseFiveMinuteRecord(const TAppEnv& env, TStores& stores, TAcquisitionState& state) {
  const TDateTime now = env.Now();
  for (int s = 1; s < kRoomSlots; ++s) {
    const TRoomEst& room = stores.RoomEst[s];
    TCCMSum(&sums)[kItemCount] = state.Sum[s];
    if (room.Use == kUseNone) {
      for (TCCMSum& a : sums) a = TCCMSum{};
      continue;
    }
    TRoomDat& store = stores.Dat(s);
    if (store.FirstTime == 0) store.FirstTime = now;
    store.LastTime = now;
    stores.RoomInfo[s].StartDate = store.FirstTime;
    stores.RoomInfo[s].LastDate = store.LastTime;
    ShiftRecords(store);
    TRecDat& rec = store.Rec[1];
    rec.Time = now;
    for (int j = 0; j < kItemCount; ++j) {
      TCCMSum& a = sums[j];
      TItemStat& cell = rec.Item[j];
      cell.Valid = a.HasData;
      // An item without samples keeps whatever the position held; only Valid says it is empty.
      if (a.HasData == 1) {
        cell.Avg = static_cast<float>(a.Sum / a.Count);
        cell.Max = static_cast<float>(a.Max);
        cell.Min = static_cast<float>(a.Min);
      }
      a = TCCMSum{};
    }
    AppendMonthRecord(env, s, rec);
    if (room.Use == kUseCultivating) {
      const TDateParts p = DecodeDateTime(now);
      const std::string memo =
          p.Hour == 23 && p.Minute == 55 ? GetTodayEventText(stores.RoomEvent[s], DateOf(now)) : "";
      AppendRecordCsv(env, s, memo, rec);
    }
  }
}

void RunSecondStep(TAcquisitionContext& ctx) {
  StepRecvCount(ctx.Receiver, ctx.Status);
  if (ctx.Stores.RoomEstChanged == 1) {
    ctx.Stores.RoomEstChanged = 0;
    SetupCCMTable(ctx.Table, ctx.Stores.RoomEst);
  }
  const TDateParts p = DecodeDateTime(ctx.Env.Now());
  const int m = p.Minute;
  if (m != ctx.State.LastMinute) {
    if (m % 5 == 0) CloseFiveMinuteRecord(ctx.Env, ctx.Stores, ctx.State);
    if (p.Hour == 0 && m >= 1 && m <= 6) BuildDailyRecords(ctx.Stores.Dat(m - 1));
  }
  SampleCCMTable(ctx.State, ctx.Table, ctx.Stores.RoomEst);
  UpdateLiveRecord(ctx.Stores, ctx.Table, ctx.Env.Now());
  AgeCCMTable(ctx.Table, ctx.Stores.RoomEst, ctx.Status);
  ctx.State.LastMinute = m;
}

}  // namespace velk
