// SPDX-License-Identifier: MIT
// The forecast of accumulated daily averages over a room slot's daily records.
#pragma once

#include <optional>

#include "analysis/future_est.h"
#include "store/stores.h"

namespace velk {

// Reference days after the dialog: a begin day cannot be the latest or the end of cultivation,
// an end day not the begin of cultivation; for slots 0 to 5 the begin of cultivation takes the
// room's BeginDate and the latest day the date of the room's LastTime.
void NormalizeRefDays(TFutureEst& est, int slot, const TStores& stores);

// Fills `result` for one panel over the daily records of `slot`; a question that cannot be
// answered leaves its fields 0.
void ComputeFuture(const TFutureEst& est, int slot, const TStores& stores, TFutureResult& result);

// Sum of the target's daily values from day `first` through day `last` (both counted), each
// reduced by `base` when given (never below 0); -1 when the records cannot answer it, among
// others when `last` has no valid daily value.
double SumDailyBetween(int target, TDateTime first, TDateTime last, int slot, const TStores& stores,
                       std::optional<double> base = std::nullopt);

// The latest date the date texts and pickers can show (9999/12/31).
inline constexpr TDateTime kLastShownDay = 2958465.0;

}  // namespace velk
