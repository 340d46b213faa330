// SPDX-License-Identifier: MIT
// The 30 value fields of a record line, shared by the monthly data files and the record CSV files.
#pragma once

#include <cfloat>
#include <string>

#include "store/room_data.h"

namespace velk {

// Whether a number read from a record line can be stored as a finite single-precision value;
// one that cannot counts as not converted (1e39 would become an infinite "valid" value).
inline bool FitsSingle(double value) {
  return value >= -FLT_MAX && value <= FLT_MAX;
}

// Per item: Avg, Max, Min in the general 15-digit form, each followed by ","; an invalid cell
// gives three empty fields ",,,".
void AppendRecordValues(std::string& line, const TRecDat& record);

}  // namespace velk
