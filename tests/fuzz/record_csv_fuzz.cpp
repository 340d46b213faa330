// SPDX-License-Identifier: MIT
// Any bytes as a record CSV file: every line through the line readers, the records through the
// import buffer against the plain far-end insertion on a small ring, and now and then the whole
// import into slot 0 with the shape of the result checked.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/record_import.h"
#include "base/clock.h"
#include "base/file_io.h"
#include "fuzz/fuzz_folder.h"
#include "settings/settings_files.h"
#include "store/record_ring.h"
#include "store/system_log.h"

namespace {

using namespace velk;

constexpr int kSmallRing = 8;

struct Harness {
  Harness() {
    env.AppFolder = folder + "/";
    env.ClockSource = &clock;
    EnsureFolders(env);
    path = env.AppFolder + "input.csv";
  }

  void CheckImport(const TImportResult& r) {
    // Times never rise with the position. (A grid record that lands exactly on day 0, between
    // records before and after 1899/12/30 00:00, reads as empty: holes are allowed.)
    const TRoomDat& store = stores.Dat(0);
    double previous = 0;
    bool any = false;
    for (int p = 0; p < kRingSize; ++p) {
      const double time = store.Rec[p].Time;
      if (time == 0) continue;
      if (any && time > previous) __builtin_trap();
      previous = time;
      any = true;
    }
    const TRoomInfo& info = stores.RoomInfo[0];
    if (info.RecCount < 0 || info.RecCount > kRingLast) __builtin_trap();
    if (r.Read && r.Summarized != (info.RecCount > 0)) __builtin_trap();
    const TRoomEventDat& events = stores.RoomEvent[0];
    if (events.Count < 0 || events.Count > kEventCount) __builtin_trap();
    for (int e = 0; e < events.Count; ++e) {
      if (events.Event[e].Date == 0 || events.Event[e].Text.empty()) __builtin_trap();
    }
  }

  fuzz::TFuzzFolder dir;
  std::string folder = dir.Path();
  std::string path;
  FakeClock clock{EncodeDateTime(2021, 6, 1, 12, 0, 0)};
  TAppEnv env;
  TStores stores;
  uint64_t runs = 0;
};

void CheckBufferAgainstRing(const std::vector<TRecDat>& records) {
  std::vector<TRecDat> ring(kSmallRing + 1);
  for (TRecDat& r : ring) ClearRecord(r);
  TFileRecordBuffer buffer(kSmallRing);
  for (const TRecDat& r : records) {
    if (buffer.InsertFileRecord(r) != InsertRecordByTime(std::span<TRecDat>(ring), r)) {
      __builtin_trap();
    }
  }
  std::stable_partition(ring.begin(), ring.end(), [](const TRecDat& r) { return r.Time != 0; });
  std::vector<TRecDat> out(ring.size());
  buffer.CompactFileRecords(out);
  for (size_t p = 0; p < ring.size(); ++p) {
    if (out[p].Time != ring[p].Time) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  TRoomEst room;
  SetDefaultRoomEst(0, room);
  TParsedRecordLine parsed;
  std::vector<TRecDat> records;
  ForEachLine(text, [&](std::string_view line) {
    IsRecordLine(line);
    if (StripQuotes(line).find('"') != std::string::npos) __builtin_trap();
    ParseNameLine(line, room);
    ParseItemLine(line, room);
    ParseUnitLine(line, room);
    if (ParseRecordLine(line, parsed)) {
      if (parsed.Record.Time == 0) __builtin_trap();
      if (parsed.Memos.size() > static_cast<size_t>(kEventCount)) __builtin_trap();
      for (const std::string& memo : parsed.Memos) {
        if (memo.empty()) __builtin_trap();
      }
      for (const TItemStat& cell : parsed.Record.Item) {
        if (cell.Valid > 1) __builtin_trap();
      }
      // Times folded onto a few values so that equal times and reorderings are common.
      TRecDat r = parsed.Record;
      // (never 0: an empty record is no record line; dates before 1899 give negative times).
      r.Time = 1 + static_cast<double>(std::abs(static_cast<int64_t>(r.Time * 1440) % 5));
      records.push_back(r);
    }
  });
  CheckBufferAgainstRing(records);

  // The whole import is slower (it rebuilds a year-long ring): one input in sixteen.
  if (h.runs++ % 16 == 0) {
    if (!WriteWholeFile(h.path, text)) __builtin_trap();
    h.CheckImport(ImportRecordCsv(h.stores, h.env, h.path));
  }
  // Bounded disk use: the monthly files the memos went to are dropped now and then.
  if (h.runs % 256 == 0) {
    std::error_code ec;
    std::filesystem::remove_all(GetRcdFolder(h.env), ec);
    EnsureFolders(h.env);
  }
  return 0;
}
