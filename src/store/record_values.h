// SPDX-License-Identifier: MIT
// The 30 value fields of a record line, shared by the monthly data files and the record CSV files.
#pragma once

#include <string>

#include "store/room_data.h"

namespace velk {

// Per item: Avg, Max, Min in the general 15-digit form, each followed by ","; an invalid cell
// gives three empty fields ",,,".
void AppendRecordValues(std::string& line, const TRecDat& record);

}  // namespace velk
