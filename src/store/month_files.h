// SPDX-License-Identifier: MIT
// The monthly data files Room<N>_<yyyymm>.TDB in the record folder: every 5-minute record ("T"
// lines) and every event ("E" lines) of a room, appended as they happen (UTF-8, CR LF), and read
// back for the last thirteen months at start-up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/app_env.h"
#include "store/room_data.h"

namespace velk {

// Slots 0 to 5; another slot throws std::out_of_range.
std::string GetMonthFilePath(const TAppEnv& env, int slot, TDateTime time);

// The lines without their CR LF: "T,yyyy/mm/dd hh:nn," + 30 values (empty for invalid cells),
// each followed by ","; and "E,yyyy/mm/dd hh:nn,\"text\",".
std::string FormatMonthRecordLine(const TRecDat& record);
std::string FormatMonthEventLine(const TEventBase& event);

// Append one line to the file of the record's or event's month, creating it when missing; a file
// whose last line was torn gets its CR LF first. False after a logged failure.
bool AppendMonthRecord(const TAppEnv& env, int slot, const TRecDat& record);
bool AppendMonthEvent(const TAppEnv& env, int slot, const TEventBase& event);

// The thirteen months of a load: that of the date 365 days before today and the twelve after.
void GetLoadMonths(TDateTime today, TDateTime (&months)[13]);

// The event lines of one record load, in reading order, and the files that could not be read.
struct TMonthEventLines {
  std::vector<std::string> Lines;
  std::vector<std::string> UnreadableFiles;
  bool AnyFile = false;
};

// Reads the records of the thirteen months into the ring (expected cleared) in file order, then
// aligns it to env.Now(), fills its gaps and rebuilds the daily records. Records older than the
// last position of the aligned ring are skipped, and so are records stamped after the running
// period (counted in one log line). True when at least one file could be read.
// With `eventLines`, the event lines met on the way are kept there for LoadRoomEvents, so a
// start-up reads each file once.
bool LoadRoomRecords(const TAppEnv& env, int slot, TRoomDat& store,
                     TMonthEventLines* eventLines = nullptr);
// Reads the events of the thirteen months into the list (expected cleared), inserted by date
// and then packed newest first; Count becomes the number of entries. With `eventLines` from
// LoadRoomRecords of the same slot the files are not read again.
bool LoadRoomEvents(const TAppEnv& env, int slot, TRoomEventDat& events,
                    const TMonthEventLines* eventLines = nullptr);

// Line parsers of the loaders; false for a line whose time field is not a date and time. A
// record line's last field without its "," (torn by a power cut) is not read.
bool ParseMonthRecordLine(const TAppEnv& env, std::string_view line, TRecDat& record);
bool ParseMonthEventLine(const TAppEnv& env, std::string_view line, TEventBase& event);

}  // namespace velk
