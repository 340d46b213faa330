// SPDX-License-Identifier: MIT
// The series of the past records chart from a full year ring: a week of four items, and three
// months of one item with every kind and the candles; the histogram collection of three months.
#include <benchmark/benchmark.h>

#include <memory>

#include "base/date_time.h"
#include "store/record_stats.h"
#include "views/histogram.h"
#include "views/past_chart.h"

namespace velk {
namespace {

const TRoomDat& FullRing() {
  static const TRoomDatPtr store = [] {
    TRoomDatPtr s = NewRoomDat();
    const double last = EncodeDateTime(2021, 6, 21, 10, 0);
    for (int k = 0; k < kRingSize; ++k) {
      TRecDat& r = s->Rec[k];
      r.Time = k == 0 ? last + 30 * kSecond : last - (k - 1) * 5 * kMinute;
      for (int n = 0; n < kItemCount; ++n) {
        const float v = static_cast<float>(5 + (k % 288) * 0.1 + n);
        r.Item[n] = {static_cast<uint8_t>(k % 97 != 0), v, v + 0.5f, v - 0.5f};
      }
    }
    s->LastTime = s->Rec[1].Time;
    s->FirstTime = s->Rec[kRingLast].Time;
    BuildDailyRecords(*s);
    return s;
  }();
  return *store;
}

double NewestWindowEnd(const TRoomDat& store) {
  return DateOf(store.LastTime) + 1;
}

void BM_PastChartWeekFourItems(benchmark::State& state) {
  const TRoomDat& store = FullRing();
  TPastChecks checks;
  for (int i : {0, 1, 2, 3}) checks.Item[i] = true;
  TPastChart chart;
  for (auto _ : state) {
    BuildPastChart(store, checks, 7, NewestWindowEnd(store), chart);
    benchmark::DoNotOptimize(chart.Series[kSerLine4].Y.data());
  }
}
BENCHMARK(BM_PastChartWeekFourItems)->Unit(benchmark::kMicrosecond);

void BM_PastChart120DaysEveryKind(benchmark::State& state) {
  const TRoomDat& store = FullRing();
  TPastChecks checks;
  checks.Kind.fill(true);
  checks.Item[kAirTemperature] = true;
  TPastChart chart;
  for (auto _ : state) {
    BuildPastChart(store, checks, 120, NewestWindowEnd(store), chart);
    benchmark::DoNotOptimize(chart.Candles.data());
  }
}
BENCHMARK(BM_PastChart120DaysEveryKind)->Unit(benchmark::kMicrosecond);

void BM_HistogramOf120Days(benchmark::State& state) {
  const TRoomDat& store = FullRing();
  const double end = NewestWindowEnd(store);
  auto hist = std::make_unique<THistogram>();
  for (auto _ : state) {
    CollectHistogram(store, kAirTemperature, THistKind::Avg, end - 120, end, *hist);
    hist->ComputeBins();
    benchmark::DoNotOptimize(hist->Bins().data());
  }
}
BENCHMARK(BM_HistogramOf120Days)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
