// SPDX-License-Identifier: MIT
#include "views/past_checks.h"

#include <algorithm>

namespace velk {

int CheckedItemCount(const TPastChecks& checks) {
  return static_cast<int>(std::count(checks.Item.begin(), checks.Item.end(), true));
}

int FirstCheckedItem(const TPastChecks& checks) {
  for (int i = 0; i < kItemCount; ++i) {
    if (checks.Item[i]) return i;
  }
  return -1;
}

int FirstCheckedKind(const TPastChecks& checks) {
  for (int k = 0; k < kKindCount; ++k) {
    if (checks.Kind[k]) return k;
  }
  return -1;
}

void ApplyPastCheckRules(TPastChecks& c, int span) {
  const bool daily = IsDailySpan(span);
  if (!daily) {
    for (int k = kKind3Avg; k <= kKindCandle; ++k) c.Kind[k] = false;
  }
  const int items = CheckedItemCount(c);
  const int kinds = static_cast<int>(std::count(c.Kind.begin(), c.Kind.end(), true));

  for (int k = 0; k < kKindCount; ++k) c.KindEnabled[k] = items < 2 || kinds == 0 || c.Kind[k];
  if (items >= 2) c.KindEnabled[kKindCandle] = false;
  if (!daily) {
    for (int k = kKind3Avg; k <= kKindCandle; ++k) c.KindEnabled[k] = false;
  }

  for (int i = 0; i < kItemCount; ++i) c.ItemEnabled[i] = kinds < 2 || items == 0 || c.Item[i];
}

}  // namespace velk
