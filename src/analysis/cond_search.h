// SPDX-License-Identifier: MIT
// The search of a room's 5-minute records for the periods in which every condition held.
#pragma once

#include <string>
#include <vector>

#include "analysis/cond_est.h"

namespace velk {

struct TStores;

// Whether the set-up can be searched at all: every target an item, every item comparison of an
// item with "以上" or "以下" (conditions that are off included), a slot from 0 to 5.
bool CondSetupValid(const TCondEst& cond, int slot);

// Empties `result`, then lists up to 50 periods newest first. A period runs from the time of the
// record just before its first holding record to the time of its last holding one; a run still
// holding at the oldest record is not listed. False (and nothing listed) for an invalid set-up.
bool SearchCondPeriods(const TCondEst& cond, const TStores& stores, int slot, TCondResult& result);

// "n: yyyy年mm月dd日 hh:nn ～ yyyy年mm月dd日 hh:nn" for each valid entry, in entry order.
std::string CondResultLine(int index, const TCondPeriod& period);
std::vector<std::string> CondResultLines(const TCondResult& result);

}  // namespace velk
