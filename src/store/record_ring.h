// SPDX-License-Identifier: MIT
// Ordering of the 5-minute ring: insertion by time, block moves, alignment to the present and
// gap filling. The span overloads work on a ring of any size (position 0 = live record, the last
// position = the oldest); the TRoomDat overloads work on a store's Rec.
#pragma once

#include <span>

#include "base/date_time.h"
#include "store/room_data.h"

namespace velk {

inline constexpr double kPeriodDays = 5.0 / 1440.0;  // one five-minute period in days

// Whole five-minute periods between two moments (minutes truncated first).
int64_t PeriodsBetween(TDateTime a, TDateTime b);
// The next five-minute boundary after `now` (10:10 at 10:07:30 and at exactly 10:05).
TDateTime EndOfCurrentPeriod(TDateTime now);

// Stores the record after the far-end scan of positions last..1: at the first empty position,
// or at the first one holding a later record after positions 1..p moved one down. False when the
// record was dropped. A ring whose positions 1..last hold one run ending at the last position
// with times falling as positions rise (what insertion into a cleared ring, alignment and gap
// filling leave) is served in logarithmic time after a linear check of that shape; any other
// ring by the plain scan.
bool InsertRecordByTime(std::span<TRecDat> ring, const TRecDat& record);
bool InsertRecordByTime(TRoomDat& store, const TRecDat& record);
// The same, for a run of insertions into a ring that nothing else changes in between: `runStart`
// carries the lowest filled position from one call to the next (0 = not known yet: the shape is
// checked), which spares the check.
bool InsertRecordByTime(std::span<TRecDat> ring, const TRecDat& record, int& runStart);

// Moves positions first..first+count-1 by `shift` (positive: towards 0). Positions left and not
// entered are cleared; records pushed past the last position are dropped. Throws
// std::out_of_range for a block outside the ring or a move below position 0.
void MoveRecordBlock(std::span<TRecDat> ring, int first, int count, int shift);
void MoveRecordBlock(TRoomDat& store, int first, int count, int shift);

// Puts the newest record at its age in periods before `now` (at position 1 when it is not older
// than `now`) and gives positions before it the times of the running and skipped periods, then
// fills the gaps.
void AlignRingToNow(std::span<TRecDat> ring, TDateTime now);
void AlignRingToNow(TRoomDat& store, TDateTime now);

// Inserts empty-celled grid records wherever a record lies more than one period before its
// newer neighbour, pushing the older records back (those pushed past the end drop out). A record
// later than the one before it gets none.
void FillRingGaps(std::span<TRecDat> ring);
void FillRingGaps(TRoomDat& store);

}  // namespace velk
