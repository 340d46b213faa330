// SPDX-License-Identifier: MIT
// velk-history-gen: writes a year of demo history into an application folder.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/app_env.h"
#include "base/clock.h"
#include "base/date_format.h"
#include "base/file_io.h"
#include "base/number_format.h"
#include "history_model.h"
#include "settings/settings_files.h"
#include "store/system_log.h"

using namespace velk;

namespace {

const char kUsage[] =
    "usage: velk-history-gen --app-dir DIR [--rooms 1,2] [--end YYYY-MM-DD[ HH:MM]] [--days N]\n"
    "                        [--csv] [--settings] [--no-gaps] [--seed N]\n"
    "  --app-dir DIR  application folder; monthly files go to DIR/Sys/Rcd (replaced)\n"
    "  --rooms LIST   room slots 1 to 5 (default 1)\n"
    "  --end WHEN     newest record: 23:55 of a date, or the period ending at or before a time\n"
    "                 (default: the last closed period before now)\n"
    "  --days N       days of records, 1 to 400 (default 365)\n"
    "  --csv          also write Room<N>.csv from the day cultivation began\n"
    "  --settings     write RoomEst<N>.ini with the room cultivating since that day\n"
    "  --no-gaps      leave out the recorder outages\n"
    "  --seed N       random seed (default 1)\n";

bool ParseRooms(std::string_view text, std::vector<int>& rooms) {
  rooms.clear();
  while (!text.empty()) {
    const size_t comma = text.find(',');
    int32_t slot = 0;
    if (!TryParseInt(text.substr(0, comma), slot) || slot < 1 || slot > 5) return false;
    rooms.push_back(slot);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return !rooms.empty();
}

// "YYYY-MM-DD" (its 23:55 record) or "YYYY-MM-DD HH:MM".
bool ParseEnd(std::string text, TDateTime& end) {
  for (char& c : text) {
    if (c == '-') c = '/';
  }
  if (ParseDateText(text, end)) {
    end += EncodeTime(23, 55);
    return true;
  }
  return ParseDateTimeText(text, end) && end >= 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string appDir;
  std::vector<int> rooms{1};
  hist::THistoryOptions options;
  bool haveEnd = false;
  bool csv = false;
  bool settings = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    int32_t number = 0;
    if (arg == "--app-dir" && value) {
      appDir = value;
      ++i;
    } else if (arg == "--rooms" && value && ParseRooms(value, rooms)) {
      ++i;
    } else if (arg == "--end" && value && ParseEnd(value, options.End)) {
      haveEnd = true;
      ++i;
    } else if (arg == "--days" && value && TryParseInt(value, number) && number >= 1 &&
               number <= 400) {
      options.Days = number;
      ++i;
    } else if (arg == "--seed" && value && TryParseInt(value, number)) {
      options.Seed = static_cast<uint32_t>(number);
      ++i;
    } else if (arg == "--csv") {
      csv = true;
    } else if (arg == "--settings") {
      settings = true;
    } else if (arg == "--no-gaps") {
      options.Gaps = false;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (appDir.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  SystemClock clock;
  TAppEnv env;
  env.AppFolder = WithTrailingSeparator(appDir);
  env.ClockSource = &clock;
  if (!haveEnd) options.End = env.Now();
  options.End = hist::FloorToPeriod(options.End);
  if (!EnsureFolders(env)) {
    std::fprintf(stderr, "velk-history-gen: cannot create the folders below %s\n", appDir.c_str());
    return 1;
  }

  int status = 0;
  for (int slot : rooms) {
    const hist::TRoomHistory history = hist::GenerateRoomHistory(slot, options);
    TRoomEst room;
    SetDefaultRoomEst(slot, room);
    if (FileExists(GetRoomEstPath(env, slot))) ReadRoomEst(env, slot, room);
    if (settings) {
      room.Use = kUseCultivating;
      room.BeginDate = history.BeginDate;
      if (!WriteRoomEst(env, slot, room)) status = 1;
    }
    const hist::TWriteResult result =
        hist::WriteRoomHistory(env, slot, history, csv ? &room : nullptr);
    if (!result.Ok) status = 1;
    std::printf("Room%d: %zu records to %s, %zu events, %d monthly files%s\n", slot,
                history.Records.size(), FormatDateTime(kFmtRecordTime, options.End).c_str(),
                history.Events.size(), result.MonthFiles, csv ? ", Room CSV file" : "");
  }
  return status;
}
