// SPDX-License-Identifier: MIT
// Start-up load of five rooms from thirteen full months of monthly files, against merely reading
// the same files and splitting them into lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "history_model.h"
#include "store/month_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr int kRooms = 5;

// Thirteen full months for rooms 1 to 5: 2020-11 to 2021-11, every 5-minute record present, and
// a clock at the end of November 2021 (365 days before it is 30 November 2020).
struct History {
  History() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    env.AppFolder = pattern + "/";
    env.ClockSource = &clock;
    if (!EnsureFolders(env)) std::abort();
    hist::THistoryOptions options;
    options.End = EncodeDateTime(2021, 11, 30, 23, 55);
    options.Days = 395;
    options.Gaps = false;
    for (int slot = 1; slot <= kRooms; ++slot) {
      hist::WriteRoomHistory(env, slot, hist::GenerateRoomHistory(slot, options), nullptr);
      stores[slot - 1] = NewRoomDat();
    }
  }
  ~History() {
    std::error_code ec;
    std::filesystem::remove_all(env.AppFolder, ec);
  }
  FakeClock clock{EncodeDateTime(2021, 11, 30, 23, 57)};
  TAppEnv env;
  TRoomDatPtr stores[kRooms];
  TRoomInfo info[kRooms] = {};
  TRoomEventDat events[kRooms];
};

History& Data() {
  static History history;
  return history;
}

void BM_ReadAndSplitMonthFiles(benchmark::State& state) {
  History& h = Data();
  TDateTime months[13];
  GetLoadMonths(h.env.Today(), months);
  std::string text;
  for (auto _ : state) {
    size_t lines = 0;
    for (int slot = 1; slot <= kRooms; ++slot) {
      for (TDateTime month : months) {
        if (!ReadWholeFile(GetMonthFilePath(h.env, slot, month), text)) std::abort();
        ForEachLine(text, [&](std::string_view line) { lines += !line.empty(); });
      }
    }
    benchmark::DoNotOptimize(lines);
    state.counters["lines"] = static_cast<double>(lines);
  }
}
BENCHMARK(BM_ReadAndSplitMonthFiles)->Unit(benchmark::kMillisecond)->MinTime(3);

// The same with one read of the known size per file and memchr line splitting, as the loader
// does: the tighter yardstick.
void BM_ReadAndSplitMonthFilesFast(benchmark::State& state) {
  History& h = Data();
  TDateTime months[13];
  GetLoadMonths(h.env.Today(), months);
  std::string text;
  for (auto _ : state) {
    size_t lines = 0;
    for (int slot = 1; slot <= kRooms; ++slot) {
      for (TDateTime month : months) {
        std::FILE* f = std::fopen(GetMonthFilePath(h.env, slot, month).c_str(), "rb");
        if (!f) std::abort();
        std::fseek(f, 0, SEEK_END);
        text.resize(static_cast<size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        if (std::fread(text.data(), 1, text.size(), f) != text.size()) std::abort();
        std::fclose(f);
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
          const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
          if (!lf) break;
          lines += static_cast<const char*>(lf) - p > 1;
          p = static_cast<const char*>(lf) + 1;
        }
      }
    }
    benchmark::DoNotOptimize(lines);
    state.counters["lines"] = static_cast<double>(lines);
  }
}
BENCHMARK(BM_ReadAndSplitMonthFilesFast)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_StartupLoadFiveRooms(benchmark::State& state) {
  History& h = Data();
  for (auto _ : state) {
    // The slot clears that precede the load at start-up are not part of it.
    state.PauseTiming();
    for (int i = 0; i < kRooms; ++i) {
      ClearRoomRecords(*h.stores[i]);
      ClearRoomEvents(h.events[i]);
    }
    state.ResumeTiming();
    for (int i = 0; i < kRooms; ++i) {
      TMonthEventLines eventLines;
      if (!LoadRoomRecords(h.env, i + 1, *h.stores[i], &eventLines)) std::abort();
      ScanDataPeriod(*h.stores[i], h.info[i]);
      LoadRoomEvents(h.env, i + 1, h.events[i], &eventLines);
    }
    benchmark::DoNotOptimize(h.info[0].RecCount);
  }
  state.counters["records"] = h.info[0].RecCount;
}
BENCHMARK(BM_StartupLoadFiveRooms)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
