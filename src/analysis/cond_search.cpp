// SPDX-License-Identifier: MIT
#include "analysis/cond_search.h"

#include "base/date_format.h"
#include "store/stores.h"

namespace velk {
namespace {

bool ItemIndex(int32_t i) {
  return i >= 0 && i < kItemCount;
}

// Whether condition c holds in one record; comparisons between the 32-bit values.
bool CondHolds(const TCondEst& cond, int c, const TRecDat& rec) {
  if (!cond.Use[c]) return true;
  const TItemStat& target = rec.Item[cond.Target[c]];
  if (!target.Valid) return false;
  const float x = target.Avg;
  float low = cond.Value_L[c];
  if (cond.CndA[c] != 0) {
    const TItemStat& other = rec.Item[cond.CndA[c] - 1];
    if (!other.Valid) return false;
    low = other.Avg;
  }
  const float high = cond.Value_H[c];
  switch (cond.Judge[c]) {
    case kJudgeAbove:
      return x > low;
    case kJudgeBelow:
      return x < low;
    case kJudgeInside:
      return low <= x && x <= high;
    case kJudgeOutside:
      return x < low || x > high;
    default:
      return false;
  }
}

}  // namespace

bool CondSetupValid(const TCondEst& cond, int slot) {
  if (slot < 0 || slot >= kRoomSlots) return false;
  for (int c = 0; c < kCondCount; ++c) {
    if (!ItemIndex(cond.Target[c])) return false;
    if (cond.CndA[c] != 0) {
      if (!ItemIndex(cond.CndA[c] - 1)) return false;
      if (cond.Judge[c] != kJudgeAbove && cond.Judge[c] != kJudgeBelow) return false;
    }
  }
  return true;
}

bool SearchCondPeriods(const TCondEst& cond, const TStores& stores, int slot, TCondResult& result) {
  result = TCondResult{};
  if (!CondSetupValid(cond, slot)) return false;
  const TRecDat* rec = stores.RoomDat[slot]->Rec;
  bool holding = false;
  int count = 0;
  for (int i = 0; i < kRingSize; ++i) {
    const TRecDat& r = rec[i];
    if (r.Time == 0.0) continue;
    const bool holds = CondHolds(cond, 0, r) && CondHolds(cond, 1, r) && CondHolds(cond, 2, r);
    if (holds == holding) continue;
    TCondPeriod& entry = result.Entry[count];
    if (holds) {
      entry.End = r.Time;  // the newest record of the run
    } else {
      entry.Begin = r.Time;  // the first record older than the run
      if (cond.CndB == 1 && MinutesBetween(entry.End, entry.Begin) <= cond.TimeVal) {
        entry = TCondPeriod{};
      } else {
        entry.Valid = true;
        ++count;
      }
    }
    holding = holds;
    if (count >= kCondResultCount) break;
  }
  // A run still holding at the oldest record has no beginning.
  if (count < kCondResultCount) result.Entry[count] = TCondPeriod{};
  return true;
}

std::string CondResultLine(int index, const TCondPeriod& period) {
  return std::to_string(index) + ": " + FormatDateTime(kFmtJpDateTime, period.Begin) + " ～ " +
         FormatDateTime(kFmtJpDateTime, period.End);
}

std::vector<std::string> CondResultLines(const TCondResult& result) {
  std::vector<std::string> lines;
  for (int i = 0; i < kCondResultCount; ++i) {
    if (result.Entry[i].Valid) lines.push_back(CondResultLine(i, result.Entry[i]));
  }
  return lines;
}

}  // namespace velk
