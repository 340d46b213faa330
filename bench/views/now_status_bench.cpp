// SPDX-License-Identifier: MIT
// The once-a-second statistics of the current status view over a full year ring.
#include <benchmark/benchmark.h>

#include <memory>

#include "views/now_status.h"

namespace velk {
namespace {

// Every position filled, five minutes apart, all ten items valid.
void FillYear(TStores& stores, int slot) {
  TRoomDat& dat = stores.Dat(slot);
  const TDateTime last = EncodeDateTime(2021, 6, 21, 10, 0);
  for (int k = 0; k < kRingSize; ++k) {
    TRecDat& r = dat.Rec[k];
    r.Time = k == 0 ? last + 30 * kSecond : last - (k - 1) * 5 * kMinute;
    for (int n = 0; n < kItemCount; ++n) {
      const float v = static_cast<float>(n * 10 + (k % 288) * 0.01);
      r.Item[n] = {1, v, v + 0.5f, v - 0.5f};
    }
  }
  stores.RoomInfo[slot].LastDate = last;
  stores.RoomInfo[slot].StartDate = dat.Rec[kRingLast].Time;
}

void BM_CalcNowStatusFullYear(benchmark::State& state) {
  auto stores = std::make_unique<TStores>();
  FillYear(*stores, 1);
  TNowStatus status;
  for (auto _ : state) {
    CalcNowStatus(*stores, 1, status);
    benchmark::DoNotOptimize(status.Cell[kStatSinceStartAvg][9].Value);
  }
}
BENCHMARK(BM_CalcNowStatusFullYear)->Unit(benchmark::kMillisecond);

void BM_FillNowGrid(benchmark::State& state) {
  auto stores = std::make_unique<TStores>();
  FillYear(*stores, 1);
  for (int n = 0; n < kItemCount; ++n) {
    stores->RoomEst[1].Data[n] = {"項目", 1, "単位", "", 0, 0, 0, 30, 10};
  }
  TNowStatus status;
  CalcNowStatus(*stores, 1, status);
  TNowGrid grid;
  for (auto _ : state) {
    FillNowGrid(*stores, 1, status, grid);
    benchmark::DoNotOptimize(grid.Text[1][2].data());
  }
}
BENCHMARK(BM_FillNowGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
