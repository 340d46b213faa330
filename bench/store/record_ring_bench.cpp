// SPDX-License-Identifier: MIT
// The ring computations over a full year: in-order insertion, gap filling, the daily build.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "history_model.h"
#include "store/record_ring.h"
#include "store/record_stats.h"

namespace velk {
namespace {

// A year of records oldest first, the way the loader presents them.
const std::vector<TRecDat>& Year() {
  static const std::vector<TRecDat> records = [] {
    hist::THistoryOptions options;
    options.End = EncodeDateTime(2021, 11, 30, 23, 55);
    options.Gaps = false;
    std::vector<TRecDat> r = hist::GenerateRoomHistory(1, options).Records;
    r.resize(kRingLast);
    return r;
  }();
  return records;
}

void BM_InsertYearInOrder(benchmark::State& state) {
  TRoomDatPtr store = NewRoomDat();
  for (auto _ : state) {
    state.PauseTiming();
    ClearRoomRecords(*store);
    state.ResumeTiming();
    // As the start-up load inserts: the run start carried from one record to the next.
    int runStart = 0;
    for (const TRecDat& r : Year()) InsertRecordByTime(std::span<TRecDat>(store->Rec), r, runStart);
    benchmark::DoNotOptimize(store->Rec[1].Time);
  }
}
BENCHMARK(BM_InsertYearInOrder)->Unit(benchmark::kMillisecond);

// The recorder off every night from 20:00 to 06:00: 365 gaps to fill.
void BM_FillNightlyGaps(benchmark::State& state) {
  TRoomDatPtr source = NewRoomDat();
  int p = 1;
  for (const TRecDat& r : Year()) {
    const double hour = (r.Time - DateOf(r.Time)) * 24;
    if (hour < 6 || hour >= 20) continue;
    source->Rec[p++] = r;
  }
  std::reverse(source->Rec + 1, source->Rec + p);  // newest first
  TRoomDatPtr store = NewRoomDat();
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(store->Rec, source->Rec, sizeof store->Rec);
    state.ResumeTiming();
    FillRingGaps(*store);
    benchmark::DoNotOptimize(store->Rec[kRingLast].Time);
  }
}
BENCHMARK(BM_FillNightlyGaps)->Unit(benchmark::kMillisecond);

void BM_BuildDailyRecords(benchmark::State& state) {
  TRoomDatPtr store = NewRoomDat();
  int runStart = 0;
  for (const TRecDat& r : Year()) InsertRecordByTime(std::span<TRecDat>(store->Rec), r, runStart);
  AlignRingToNow(*store, EncodeDateTime(2021, 11, 30, 23, 57));
  for (auto _ : state) {
    BuildDailyRecords(*store);
    benchmark::DoNotOptimize(store->Day[0].Item[1].Avg);
  }
}
BENCHMARK(BM_BuildDailyRecords)->Unit(benchmark::kMillisecond);

void BM_ScanDataPeriod(benchmark::State& state) {
  TRoomDatPtr store = NewRoomDat();
  int runStart = 0;
  for (const TRecDat& r : Year()) InsertRecordByTime(std::span<TRecDat>(store->Rec), r, runStart);
  TRoomInfo info{};
  for (auto _ : state) benchmark::DoNotOptimize(ScanDataPeriod(*store, info));
}
BENCHMARK(BM_ScanDataPeriod)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
