// SPDX-License-Identifier: MIT
#include "store/month_files.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "base/date_format.h"
#include "base/file_io.h"
#include "store/event_list.h"
#include "store/record_ring.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void CheckSlot(int slot) {
  if (slot < 0 || slot >= kRoomSlots) throw std::out_of_range("monthly data file: room slot");
}

// Appends line + CR LF. A last line without its line end (torn by a crash) is closed first by
// completing its line end: a bare CR gets its LF, a bare LF stands, anything else gets CR LF.
bool AppendLine(const std::string& path, const std::string& line) {
  std::string data;
  std::string tail;
  if (ReadFileTail(path, 1, tail) && !tail.empty()) {
    if (tail == "\r") {
      data = "\n";
    } else if (tail != "\n") {
      data = "\r\n";
    }
  }
  data += line;
  data += "\r\n";
  return AppendToFile(path, data);
}

// Calls fn(line) for every non-empty line, split at CR LF, LF or CR. The next CR and the next LF
// are each searched once with memchr, so a line costs two jumps rather than a byte-wise scan.
template <typename Fn>
void ForEachNonEmptyLine(std::string_view text, Fn&& fn) {
  const char* p = text.data();
  const char* const end = p + text.size();
  auto find = [end](const char* from, char c) {
    const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
  };
  const char* cr = find(p, '\r');
  const char* lf = find(p, '\n');
  while (p < end) {
    if (cr < p) cr = find(p, '\r');
    if (lf < p) lf = find(p, '\n');
    const char* stop = cr < lf ? cr : lf;
    if (stop > p) fn(std::string_view(p, static_cast<size_t>(stop - p)));
    if (stop == end) break;
    p = stop + (stop == cr && stop + 1 == lf ? 2 : 1);
  }
}

// Calls fn(line) for every non-empty line of each of the thirteen months that can be read; logs
// `failure` + file name for each one that cannot (and keeps its name in `unreadable`, if given).
// True when any file was read.
template <typename Fn>
bool ForEachMonthLine(const TAppEnv& env, int slot, std::string_view failure, Fn&& fn,
                      std::vector<std::string>* unreadable = nullptr) {
  TDateTime months[13];
  GetLoadMonths(env.Today(), months);
  bool any = false;
  std::string text;
  for (TDateTime month : months) {
    const std::string path = GetMonthFilePath(env, slot, month);
    if (!ReadWholeFile(path, text)) {
      WriteSystemLog(env, std::string(failure) + path);
      if (unreadable) unreadable->push_back(path);
      continue;
    }
    any = true;
    std::string_view body = text;
    if (body.substr(0, kUtf8Bom.size()) == kUtf8Bom) body.remove_prefix(kUtf8Bom.size());
    // Empty lines are skipped: one stray blank line must not hide the rest of the month.
    ForEachNonEmptyLine(body, fn);
  }
  return any;
}

}  // namespace

std::string GetMonthFilePath(const TAppEnv& env, int slot, TDateTime time) {
  CheckSlot(slot);
  return GetRcdFolder(env) + kPathSep + "Room" + std::to_string(slot) + "_" +
         FormatDateTime("yyyymm", time) + ".TDB";
}

bool AppendMonthRecord(const TAppEnv& env, int slot, const TRecDat& record) {
  const std::string path = GetMonthFilePath(env, slot, record.Time);
  if (AppendLine(path, FormatMonthRecordLine(record))) return true;
  WriteSystemLog(env, "DataAccess: TDBファイル時データ追記失敗: " + path);
  return false;
}

bool AppendMonthEvent(const TAppEnv& env, int slot, const TEventBase& event) {
  const std::string path = GetMonthFilePath(env, slot, event.Date);
  if (AppendLine(path, FormatMonthEventLine(event))) return true;
  WriteSystemLog(env, "DataAccess: TDBファイルイベント書込失敗: " + path);
  return false;
}

void GetLoadMonths(TDateTime today, TDateTime (&months)[13]) {
  const TDateParts from = DecodeDateTime(today - 365);
  int year = from.Year;
  int month = from.Month;
  for (TDateTime& m : months) {
    m = EncodeDate(year, month, 1);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
}

bool LoadRoomRecords(const TAppEnv& env, int slot, TRoomDat& store, TMonthEventLines* eventLines) {
  const TDateTime now = env.Now();
  // The oldest time the aligned ring keeps at its last position; older records would only be
  // pushed out again, and inserting them first would crowd out the newest ones.
  const int64_t newestMs = ToMilliseconds(EndOfCurrentPeriod(now));
  const int64_t oldestMs = newestMs - int64_t{kRingLast} * 300'000;
  TRecDat record;
  int runStart = 0;
  int ahead = 0;  // records stamped after the running period (a clock set back), left in the files
  const bool any = ForEachMonthLine(
      env, slot, "DataAccess: TDBファイル日データ読込失敗: ",
      [&](std::string_view line) {
        if (line[0] == 'E' && eventLines) eventLines->Lines.emplace_back(line);
        if (line[0] != 'T' || !ParseMonthRecordLine(env, line, record)) return;
        const int64_t ms = ToMilliseconds(record.Time);
        if (ms < oldestMs) return;
        if (ms > newestMs) {
          ++ahead;
          return;
        }
        InsertRecordByTime(std::span<TRecDat>(store.Rec), record, runStart);
      },
      eventLines ? &eventLines->UnreadableFiles : nullptr);
  if (eventLines) eventLines->AnyFile = any;
  if (ahead > 0) {
    WriteSystemLog(env, "DataAccess: 現在より新しい時刻のデータを読み飛ばし: 部屋No." +
                            std::to_string(slot) + " " + std::to_string(ahead) + "件");
  }
  AlignRingToNow(store, now);
  BuildDailyRecords(store);
  return any;
}

bool LoadRoomEvents(const TAppEnv& env, int slot, TRoomEventDat& events,
                    const TMonthEventLines* eventLines) {
  constexpr std::string_view kFailure = "DataAccess: TDBファイルイベント情報読込失敗: ";
  TEventBase event;
  const auto take = [&](std::string_view line) {
    if (line[0] != 'E') return;
    if (ParseMonthEventLine(env, line, event)) InsertEventByDate(events, event);
  };
  bool any;
  if (eventLines) {
    CheckSlot(slot);
    for (const std::string& path : eventLines->UnreadableFiles) {
      WriteSystemLog(env, std::string(kFailure) + path);
    }
    for (const std::string& line : eventLines->Lines) take(line);
    any = eventLines->AnyFile;
  } else {
    any = ForEachMonthLine(env, slot, kFailure, take);
  }
  PackEvents(events);
  return any;
}

}  // namespace velk
