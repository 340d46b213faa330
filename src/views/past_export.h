// SPDX-License-Identifier: MIT
// The records of the chart's current window as a record CSV file, for a spreadsheet.
#pragma once

#include <string>

#include "base/app_env.h"
#include "store/room_data.h"

namespace velk {

// The room's four header lines, then one line per record drawn in the window (the 5-minute
// records for 1 and 7 days, the daily records for 30 and 120 days), oldest first; UTF-8, CR LF.
std::string FormatPastWindowCsv(const TRoomEst& room, const TRoomDat& store, int span,
                                double windowEnd);

// Writes that text in code page 932 to `path`, replacing the file. False after a logged failure.
bool SavePastWindowCsv(const TAppEnv& env, const std::string& path, const TRoomEst& room,
                       const TRoomDat& store, int span, double windowEnd);

}  // namespace velk
