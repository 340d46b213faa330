// SPDX-License-Identifier: MIT
#include "views/now_status.h"

#include <charconv>

#include "views/event_line.h"

namespace velk {
namespace {

bool ValidSlot(int slot) {
  return slot >= 0 && slot < kRoomSlots;
}

// The group shown in each value column 1 to 8.
constexpr TStatGroup kColumnGroup[kNowGridCols] = {
    kStatCurrent, kStatCurrent, kStatYesterdayMax, kStatYesterdayAvg,  kStatYesterdayMin,
    kStat3DayAvg, kStat7DayAvg, kStat15DayAvg,     kStatSinceStartAvg, kStatCurrent,
};

const char* const kCaptionRow0[kNowGridCols] = {"項目",  "現在",  "昨日",   "",       "",
                                                "3日間", "7日間", "15日間", "定植後", "単位"};
const char* const kCaptionRow1[kNowGridCols] = {"",     "",     "最高", "平均", "最低",
                                                "平均", "平均", "平均", "平均", ""};

struct TSum {
  double Sum = 0;
  double Count = 0;
};

}  // namespace

void CalcNowStatus(const TStores& stores, int slot, TNowStatus& status) {
  for (auto& group : status.Cell) {
    for (TStatCell& cell : group) cell = {0, 0};
  }
  if (!ValidSlot(slot)) return;
  const TRoomDat& dat = *stores.RoomDat[slot];
  const TRoomInfo& info = stores.RoomInfo[slot];

  // Window starts in whole milliseconds, so a record at midnight falls on the right day. A time
  // t rounds to at least X ms exactly when t × ms-per-day ≥ X − 0.5, which spares a rounding per
  // record.
  const int64_t day = ToMilliseconds(DateOf(info.LastDate));
  const auto edge = [](int64_t ms) { return static_cast<double>(ms) - 0.5; };
  const double toDay = edge(day);
  const double fromYesterday = edge(day - kMsPerDay);
  const double from3 = edge(day - 3 * kMsPerDay);
  const double from7 = edge(day - 7 * kMsPerDay);
  const double from15 = edge(day - 15 * kMsPerDay);
  const double fromStart = edge(ToMilliseconds(info.StartDate));

  TSum yAvg[kItemCount], avg3[kItemCount], avg7[kItemCount], avg15[kItemCount],
      avgStart[kItemCount];
  double yMax[kItemCount] = {};
  double yMin[kItemCount] = {};
  bool yFound[kItemCount] = {};

  for (const TRecDat& rec : dat.Rec) {
    if (rec.Time == 0) continue;
    const double t = rec.Time * static_cast<double>(kMsPerDay);
    const bool inYesterday = t >= fromYesterday && t < toDay;
    const bool in3 = t >= from3;
    const bool in7 = t >= from7;
    const bool in15 = t >= from15;
    const bool inStart = t >= fromStart;
    if (!(inYesterday || in15)) {
      // Most of the year: only the since-start mean needs the record.
      if (!inStart) continue;
      for (int n = 0; n < kItemCount; ++n) {
        const TItemStat& cell = rec.Item[n];
        if (!cell.Valid) continue;
        avgStart[n].Sum += cell.Avg;
        avgStart[n].Count += 1;
      }
      continue;
    }
    for (int n = 0; n < kItemCount; ++n) {
      const TItemStat& cell = rec.Item[n];
      if (!cell.Valid) continue;
      const double v = cell.Avg;
      if (inYesterday) {
        yAvg[n].Sum += v;
        yAvg[n].Count += 1;
        const double hi = cell.Max;
        const double lo = cell.Min;
        if (!yFound[n] || hi > yMax[n]) yMax[n] = hi;
        if (!yFound[n] || lo < yMin[n]) yMin[n] = lo;
        yFound[n] = true;
      }
      if (in3) {
        avg3[n].Sum += v;
        avg3[n].Count += 1;
      }
      if (in7) {
        avg7[n].Sum += v;
        avg7[n].Count += 1;
      }
      if (in15) {
        avg15[n].Sum += v;
        avg15[n].Count += 1;
      }
      if (inStart) {
        avgStart[n].Sum += v;
        avgStart[n].Count += 1;
      }
    }
  }

  auto mean = [](const TSum& s) {
    return s.Count != 0 ? TStatCell{1, s.Sum / s.Count} : TStatCell{0, 0};
  };
  for (int n = 0; n < kItemCount; ++n) {
    const TItemStat& live = dat.Rec[0].Item[n];
    const TItemStat& prev = dat.Rec[1].Item[n];
    if (live.Valid) status.Cell[kStatCurrent][n] = {1, live.Avg};
    if (prev.Valid) status.Cell[kStatPrevious][n] = {1, prev.Avg};
    status.Cell[kStatYesterdayAvg][n] = mean(yAvg[n]);
    if (yFound[n]) {
      status.Cell[kStatYesterdayMax][n] = {1, yMax[n]};
      status.Cell[kStatYesterdayMin][n] = {1, yMin[n]};
    }
    status.Cell[kStat3DayAvg][n] = mean(avg3[n]);
    status.Cell[kStat7DayAvg][n] = mean(avg7[n]);
    status.Cell[kStat15DayAvg][n] = mean(avg15[n]);
    status.Cell[kStatSinceStartAvg][n] = mean(avgStart[n]);
  }
}

void FillNowGridFrame(const TStores& stores, int slot, TNowGrid& grid) {
  for (int c = 0; c < kNowGridCols; ++c) {
    grid.Text[c][0] = kCaptionRow0[c];
    grid.Text[c][1] = kCaptionRow1[c];
    for (int r = 0; r < kNowGridRows; ++r) grid.Mark[c][r] = 0;
  }
  for (int n = 0; n < kItemCount; ++n) {
    const int row = kNowGridFixedRows + n;
    if (ValidSlot(slot)) {
      grid.Text[0][row] = stores.RoomEst[slot].Data[n].Name;
      grid.Text[kNowGridCols - 1][row] = stores.RoomEst[slot].Data[n].Unit;
    } else {
      grid.Text[0][row].clear();
      grid.Text[kNowGridCols - 1][row].clear();
    }
  }
}

void FillNowGrid(const TStores& stores, int slot, const TNowStatus& status, TNowGrid& grid) {
  FillNowGridFrame(stores, slot, grid);
  static const TDataEst kNoItem{};
  for (int n = 0; n < kItemCount; ++n) {
    const TDataEst& item = ValidSlot(slot) ? stores.RoomEst[slot].Data[n] : kNoItem;
    const int row = kNowGridFixedRows + n;
    const bool limited = item.UpperLimit > item.LowerLimit;
    for (int c = 1; c <= 8; ++c) {
      const TStatCell& cell = status.Cell[kColumnGroup[c]][n];
      if (!cell.Valid) {
        grid.Text[c][row] = "--";
        continue;
      }
      grid.Text[c][row] = FormatFixed(cell.Value, item.Dec);
      if (limited && cell.Value > item.UpperLimit) grid.Mark[c][row] = kMarkAbove;
      if (limited && cell.Value < item.LowerLimit) grid.Mark[c][row] = kMarkBelow;
    }
    const TStatCell& now = status.Cell[kStatCurrent][n];
    const TStatCell& prev = status.Cell[kStatPrevious][n];
    if (now.Valid && prev.Valid) {
      if (now.Value > prev.Value) grid.Text[1][row] += "  ↑";
      if (now.Value < prev.Value) grid.Text[1][row] += "  ↓";
    }
  }
}

std::vector<std::string> NoticeLines(const TStores& stores, const uint8_t (&roomLost)[kRoomSlots]) {
  std::vector<std::string> lines;
  for (int slot = 0; slot < kRoomSlots; ++slot) {
    if (stores.RoomEst[slot].Use != 0 && roomLost[slot] == 1) {
      lines.push_back("[No." + std::to_string(slot) + "]: 全データ未受信");
    }
  }
  return lines;
}

bool UpdateMemoList(const TStores& stores, int slot, TDateTime& remembered,
                    std::vector<std::string>& lines) {
  const TDateTime newest = ValidSlot(slot) ? stores.RoomEvent[slot].Event[0].Date : 0;
  const bool changed = newest != remembered;
  remembered = newest;
  if (!changed) return false;
  lines.clear();
  if (!ValidSlot(slot)) return true;
  for (const TEventBase& e : stores.RoomEvent[slot].Event) {
    if (e.Date != 0) lines.push_back(EventListLine(e));
  }
  return true;
}

}  // namespace velk
