// SPDX-License-Identifier: MIT
// The record CSV file Room<N>.csv of a cultivating room, in the application folder: four header
// lines from the room's settings, then one line per 5-minute record, oldest first. Code page 932
// (or the encoding of a byte-order mark the file starts with), CR LF, every line ending in ",".
#pragma once

#include <string>
#include <string_view>

#include "base/app_env.h"
#include "store/room_data.h"

namespace velk {

// Slots 1 to 5; another slot throws std::out_of_range.
std::string GetRecordCsvPath(const TAppEnv& env, int slot);

// The four header lines and a record line, UTF-8, each with its CR LF.
std::string FormatRecordCsvHeader(const TRoomEst& room);
std::string FormatRecordCsvLine(std::string_view memo, const TRecDat& record);

// Replaces the file by the four header lines. False after a logged failure.
bool CreateRecordCsv(const TAppEnv& env, int slot, const TRoomEst& room);
// Appends the record line at the end of the file in the file's encoding; a missing file is
// started with the line alone (after a logged read failure). Never rewrites the file.
bool AppendRecordCsv(const TAppEnv& env, int slot, std::string_view memo, const TRecDat& record);
// Copies the file to `destination`, replacing what is there; the room's file stays.
bool CopyRecordCsv(const TAppEnv& env, int slot, const std::string& destination);

}  // namespace velk
