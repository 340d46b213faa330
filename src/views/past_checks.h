// SPDX-License-Identifier: MIT
// The check boxes of the past records chart: seven display kinds and ten items, and the rules
// that tie them together after every click.
#pragma once

#include <array>

#include "store/room_data.h"

namespace velk {

// Display kinds in the order of their check boxes.
enum TPastKind : int {
  kKindAvg = 0,  // "平均値"
  kKindMax,      // "最高値"
  kKindMin,      // "最低値"
  kKind3Avg,     // "3移動平均"
  kKind7Avg,     // "7移動平均"
  kKind15Avg,    // "15移動平均"
  kKindCandle,   // "ローソク"
  kKindCount,
};

// Window lengths in days of the three moving averages.
inline constexpr int kMovingAverageDays[3] = {3, 7, 15};

struct TPastChecks {
  std::array<bool, kKindCount> Kind{true, false, false, false, false, false, false};
  std::array<bool, kKindCount> KindEnabled{true, true, true, true, true, true, true};
  std::array<bool, kItemCount> Item{};
  std::array<bool, kItemCount> ItemEnabled{true, true, true, true, true,
                                           true, true, true, true, true};
};

// Spans of 30 and 120 days are drawn from the daily records, 1 and 7 days from the ring.
inline bool IsDailySpan(int span) {
  return span != 1 && span != 7;
}

// Applies the rules after a click on a kind, an item or a span: several items only with one kind,
// several kinds only for one item, moving averages and candles only over a daily span.
void ApplyPastCheckRules(TPastChecks& checks, int span);

int CheckedItemCount(const TPastChecks& checks);
// The checked item of lowest index, or -1.
int FirstCheckedItem(const TPastChecks& checks);
// The first checked kind in check-box order, or -1.
int FirstCheckedKind(const TPastChecks& checks);

}  // namespace velk
