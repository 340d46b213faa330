// SPDX-License-Identifier: MIT
// Typical CCM datagrams through the whole receive path: decode check, classify, parse, store.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "acquisition/ccm_inventory.h"
#include "acquisition/ccm_parser.h"
#include "ccm_text.h"
#include "greenhouse_model.h"
#include "settings/settings_files.h"

namespace velk {
namespace {

// Five rooms in use with the default items, and one datagram per room and item as the node
// simulator sends them. Nothing here fails, so nothing is logged.
struct Traffic {
  Traffic() {
    env.AppFolder = "/nonexistent-velk-bench/";
    env.ClockSource = &clock;
    for (int slot = 0; slot < kRoomSlots; ++slot) {
      SetDefaultRoomEst(slot, rooms[slot]);
      if (slot > 0) rooms[slot].Use = kUseCultivating;
    }
    ClearCCMTable(table);
    SetupCCMTable(table, rooms);
    sim::TGreenhouseModel model;
    char value[32];
    for (int slot = 1; slot < kRoomSlots; ++slot) {
      for (int item = 0; item < kItemCount; ++item) {
        std::snprintf(value, sizeof value, "%.*f", sim::TGreenhouseModel::Decimals(item),
                      model.Value(item, 10.5));
        datagrams.push_back(sim::BuildDataCCM(
            rooms[slot].Data[item].CCM, sim::TCCMAddress{slot, 0, 0, 15}, value, "192.168.1.64"));
      }
    }
    rx.Env = &env;
    rx.Table = &table;
  }
  FakeClock clock{44000.5};
  TAppEnv env;
  TRoomEst rooms[kRoomSlots];
  TLiveValueTable table;
  TCCMReceiver rx;
  std::vector<std::string> datagrams;
};

class DiscardingMonitor : public TCCMMonitor {
 public:
  bool CCMLogShown() const override { return shown; }
  void AddCCMLog(std::string_view line) override { bytes += line.size(); }
  bool shown = false;
  size_t bytes = 0;
};

void RunReceive(benchmark::State& state, TCCMMonitor* monitor, TCCMInventory* inventory = nullptr) {
  Traffic t;
  t.rx.Monitor = monitor;
  t.rx.Inventory = inventory;
  size_t i = 0;
  for (auto _ : state) {
    ReceiveCCM(t.rx, "192.168.1.64", t.datagrams[i]);
    if (++i == t.datagrams.size()) i = 0;
  }
  benchmark::DoNotOptimize(t.table.Cell[1][0].Value);
  const bool allSent = state.iterations() >= static_cast<int64_t>(t.datagrams.size());
  if (t.rx.RecvCounter != static_cast<int32_t>(state.iterations()) ||
      (allSent && t.table.Cell[5][9].Valid != 1))
    state.SkipWithError("datagrams were not all received and stored");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.datagrams[0].size()));
}

void BM_ReceiveCCM_MonitorOff(benchmark::State& state) {
  RunReceive(state, nullptr);
}
BENCHMARK(BM_ReceiveCCM_MonitorOff);

void BM_ReceiveCCM_MonitorUnchecked(benchmark::State& state) {
  DiscardingMonitor monitor;
  RunReceive(state, &monitor);
}
BENCHMARK(BM_ReceiveCCM_MonitorUnchecked);

void BM_ReceiveCCM_MonitorShown(benchmark::State& state) {
  DiscardingMonitor monitor;
  monitor.shown = true;
  RunReceive(state, &monitor);
}
BENCHMARK(BM_ReceiveCCM_MonitorShown);

// The listing of every key heard, as the monitoring instance always keeps it.
void BM_ReceiveCCM_Inventory(benchmark::State& state) {
  TCCMInventory inventory;
  inventory.SetNow(44000.5);
  RunReceive(state, nullptr, &inventory);
  if (state.iterations() >= kItemCount * (kRoomSlots - 1) &&
      inventory.Size() != kItemCount * (kRoomSlots - 1))
    state.SkipWithError("the inventory does not hold every key");
}
BENCHMARK(BM_ReceiveCCM_Inventory);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
