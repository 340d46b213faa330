// SPDX-License-Identifier: MIT
// Any bytes as one line of a monthly data file through the record and event line parsers. A
// parsed record holds only finite values, and writing it and reading it back gives the same
// cells; every line of the input as a file goes through the loaders and the alignment.
#include <stdlib.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/file_io.h"
#include "fuzz/fuzz_folder.h"
#include "store/month_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace {

using namespace velk;

struct Harness {
  Harness() {
    env.AppFolder = folder + "/";
    env.ClockSource = &clock;
    EnsureFolders(env);
    store = NewRoomDat();
  }

  fuzz::TFuzzFolder dir;
  std::string folder = dir.Path();
  FakeClock clock{EncodeDateTime(2020, 11, 13, 9, 7, 30)};
  TAppEnv env;
  TRoomDatPtr store;
  uint64_t runs = 0;
};

void CheckRecord(const TAppEnv& env, const TRecDat& record) {
  if (!(record.Time > 0) || !std::isfinite(record.Time)) __builtin_trap();
  for (const TItemStat& cell : record.Item) {
    if (cell.Valid > 1) __builtin_trap();
    if (!std::isfinite(cell.Avg) || !std::isfinite(cell.Max) || !std::isfinite(cell.Min)) {
      __builtin_trap();
    }
  }
  TRecDat back;
  if (!ParseMonthRecordLine(env, FormatMonthRecordLine(record), back)) __builtin_trap();
  for (int n = 0; n < kItemCount; ++n) {
    const TItemStat& a = record.Item[n];
    const TItemStat& b = back.Item[n];
    if (a.Valid != b.Valid) __builtin_trap();
    if (a.Valid && (a.Avg != b.Avg || a.Max != b.Max || a.Min != b.Min)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  if (size > 4096) return 0;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  TRecDat record;
  if (ParseMonthRecordLine(h.env, line, record)) CheckRecord(h.env, record);
  TEventBase event;
  if (ParseMonthEventLine(h.env, line, event) && !(event.Date > 0)) __builtin_trap();

  // Now and then the input as this month's file, through the start-up load.
  if (++h.runs % 64 == 0) {
    const std::string path = GetMonthFilePath(h.env, 1, h.env.Now());
    if (!WriteWholeFile(path, line)) __builtin_trap();
    ClearRoomRecords(*h.store);
    LoadRoomRecords(h.env, 1, *h.store);
    TRoomInfo info{};
    ScanDataPeriod(*h.store, info);
    TRoomEventDat events;
    LoadRoomEvents(h.env, 1, events);
    DeleteFile(GetLogFilePath(h.env, h.env.Now()));
  }
  return 0;
}
