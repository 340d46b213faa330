// SPDX-License-Identifier: MIT
// The 5-minute closing of five rooms in use (shift, both appends) and the once-a-second step.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "acquisition/acquisition_cycle.h"
#include "settings/settings_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"

namespace velk {
namespace {

struct Site {
  Site() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern;
    env.AppFolder = pattern + "/";
    env.ClockSource = &clock;
    if (!EnsureFolders(env)) std::abort();
    stores = std::make_unique<TStores>();
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores->RoomEst[n]);
    for (int n = 1; n < kRoomSlots; ++n) {
      stores->RoomEst[n].Use = kUseCultivating;
      CreateRecordCsv(env, n, stores->RoomEst[n]);
      // A full ring, so the shift moves real data.
      TRoomDat& dat = stores->Dat(n);
      for (int p = 1; p < kRingSize; ++p) {
        dat.Rec[p].Time = clock.Now() - p * 5 * kMinute;
        for (TItemStat& c : dat.Rec[p].Item) c = {1, 20.5f, 21.0f, 20.0f};
      }
    }
    ClearCCMTable(table);
    SetupCCMTable(table, stores->RoomEst);
    rx.Env = &env;
    rx.Table = &table;
    for (int n = 1; n < kRoomSlots; ++n) {
      for (int j = 0; j < kItemCount; ++j) {
        StoreCCMValue(table, stores->RoomEst[n].Data[j].CCM, 20.0 + j, static_cast<int16_t>(n), 0,
                      0);
      }
    }
  }
  ~Site() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  std::string folder;
  FakeClock clock{EncodeDateTime(2020, 11, 13, 10, 1, 0)};
  TAppEnv env;
  std::unique_ptr<TStores> stores;
  TAcquisitionState state;
  TLiveValueTable table;
  TCCMReceiver rx;
  TSystemSts sts;
};

void BM_CloseFiveMinuteRecordFiveRooms(benchmark::State& s) {
  Site site;
  for (auto _ : s) {
    SampleCCMTable(site.state, site.table, site.stores->RoomEst);
    CloseFiveMinuteRecord(site.env, *site.stores, site.state);
    site.clock.AdvanceSeconds(300);
  }
  s.SetLabel("5 rooms: shift + monthly append + CSV append");
}
BENCHMARK(BM_CloseFiveMinuteRecordFiveRooms)->Unit(benchmark::kMillisecond);

void BM_OnceASecondStep(benchmark::State& s) {
  Site site;
  TAcquisitionContext ctx{site.env, *site.stores, site.state, site.table, site.rx, site.sts};
  site.state.LastMinute = 1;  // no closing inside the measured steps
  for (auto _ : s) {
    RunSecondStep(ctx);
    // Keep the values fresh so every step samples all 50 cells.
    for (int n = 1; n < kRoomSlots; ++n) {
      for (int j = 0; j < kItemCount; ++j) site.table.Cell[n][j].Hold = 180;
    }
  }
}
BENCHMARK(BM_OnceASecondStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
