// SPDX-License-Identifier: MIT
// The current status of one room slot: the statistics of the ten items over the live record,
// the newest 5-minute record, yesterday, the last 3, 7 and 15 days and the stored period, and
// everything the view "現在状況" shows from them (grid texts, limit marks, notices, memo list).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "base/number_format.h"
#include "store/stores.h"

namespace velk {

struct TStatCell {
  uint8_t Valid;
  double Value;
};

// The groups of the status table, in order.
enum TStatGroup : int {
  kStatCurrent = 0,   // Avg of ring position 0, the live record
  kStatPrevious,      // Avg of ring position 1, the newest closed 5-minute record
  kStatYesterdayAvg,  // the calendar day before the day of LastDate
  kStatYesterdayMax,
  kStatYesterdayMin,
  kStat3DayAvg,  // since midnight 3 days before the day of LastDate, live record included
  kStat7DayAvg,
  kStat15DayAvg,
  kStatSinceStartAvg,  // since StartDate
};
constexpr int kStatGroupCount = 9;

struct TNowStatus {
  TStatCell Cell[kStatGroupCount][kItemCount];
};

// One pass over the slot's whole ring, no allocation. Averages are plain means of the records'
// Avg. A slot outside 0 to 5 gives a table without any valid cell.
void CalcNowStatus(const TStores& stores, int slot, TNowStatus& status);

// The grid: 10 columns × 12 rows, the first column and the first two rows are captions.
constexpr int kNowGridCols = 10;
constexpr int kNowGridRows = 12;
constexpr int kNowGridFixedCols = 1;
constexpr int kNowGridFixedRows = 2;
constexpr int kMarkAbove = 10;   // value above the item's upper limit
constexpr int kMarkBelow = -10;  // value below the item's lower limit

struct TNowGrid {
  std::string Text[kNowGridCols][kNowGridRows];  // by column, then row
  int Mark[kNowGridCols][kNowGridRows];
};

// The captions, item names and units of the slot (empty names for a slot outside 0 to 5); clears
// the marks and leaves the value cells as they are.
void FillNowGridFrame(const TStores& stores, int slot, TNowGrid& grid);
// The frame, then every value cell: the value with the item's decimals or "--", the limit marks
// (only where the upper limit is above the lower one) and the trend arrow of "現在".
void FillNowGrid(const TStores& stores, int slot, const TNowStatus& status, TNowGrid& grid);

// "[No.n]: 全データ未受信" for every slot in use whose room has no fresh live value.
std::vector<std::string> NoticeLines(const TStores& stores, const uint8_t (&roomLost)[kRoomSlots]);

// The memo list follows the date of the newest event of the slot. Returns true, with the lines
// (one per filled position, most recently added first) in `lines`, when that date differs from
// `remembered`; `remembered` becomes that date in any case. A slot outside 0 to 5 has no events.
bool UpdateMemoList(const TStores& stores, int slot, TDateTime& remembered,
                    std::vector<std::string>& lines);

}  // namespace velk
