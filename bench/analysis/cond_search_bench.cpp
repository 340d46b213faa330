// SPDX-License-Identifier: MIT
// The condition search with three conditions on over a full year ring of generated records.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "analysis/cond_search.h"
#include "history_model.h"
#include "store/stores.h"

namespace velk {
namespace {

// Room 1 holds a year without gaps, newest at position 1.
TStores& YearStores() {
  static const std::unique_ptr<TStores> stores = [] {
    auto s = std::make_unique<TStores>();
    hist::THistoryOptions options;
    options.End = EncodeDateTime(2021, 11, 30, 23, 55);
    options.Gaps = false;
    std::vector<TRecDat> year = hist::GenerateRoomHistory(1, options).Records;
    year.resize(kRingLast);
    std::reverse(year.begin(), year.end());
    std::copy(year.begin(), year.end(), s->Dat(1).Rec + 1);
    return s;
  }();
  return *stores;
}

// Warm days with dry air in the light: few long periods, so the whole ring is read.
TCondEst ThreeConditions(bool everyEntryHolds) {
  TCondEst c;
  c.Use[1] = c.Use[2] = true;
  c.Target[0] = kAirTemperature;
  c.Judge[0] = kJudgeInside;
  c.Value_L[0] = everyEntryHolds ? -100.0f : 25.0f;
  c.Value_H[0] = 100.0f;
  c.Target[1] = kHumidity;
  c.Judge[1] = kJudgeOutside;
  c.Value_L[1] = everyEntryHolds ? 1000.0f : 50.0f;
  c.Value_H[1] = everyEntryHolds ? -1.0f : 100.0f;
  c.Target[2] = kAirTemperature;
  c.CndA[2] = kDewPoint + 1;  // above the dew point
  c.Judge[2] = kJudgeAbove;
  c.CndB = 1;
  c.TimeVal = 30;
  return c;
}

void BM_SearchCondPeriods(benchmark::State& state) {
  TStores& stores = YearStores();
  const TCondEst cond = ThreeConditions(state.range(0) != 0);
  TCondResult result;
  for (auto _ : state) {
    SearchCondPeriods(cond, stores, 1, result);
    benchmark::DoNotOptimize(result.Entry[0].End);
  }
  state.counters["periods"] = static_cast<double>(CondResultLines(result).size());
}
// 0: the generated year; 1: every entry holds (no period ends, nothing stops the scan).
BENCHMARK(BM_SearchCondPeriods)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
