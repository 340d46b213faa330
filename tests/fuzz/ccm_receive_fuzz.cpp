// SPDX-License-Identifier: MIT
// Any bytes as one datagram through the whole receive path into the live value table, with the
// table aged, re-keyed and counted now and then as the acquisition cycle would, and into the
// listing of keys heard.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "acquisition/ccm_inventory.h"
#include "acquisition/ccm_parser.h"
#include "base/clock.h"
#include "base/file_io.h"
#include "fuzz/fuzz_folder.h"
#include "settings/settings_files.h"
#include "store/system_log.h"

namespace {

using namespace velk;

// Keeps the monitor log as the window would: trimmed, first CR LF removed.
class MonitorLines : public TCCMMonitor {
 public:
  bool CCMLogShown() const override { return true; }
  void AddCCMLog(std::string_view line) override {
    if (lines_ > kCCMLogTrimAbove) lines_ = kCCMLogTrimTo;
    bytes_ = RemoveFirstCrLf(line).size();
    ++lines_;
  }

 private:
  int lines_ = 0;
  size_t bytes_ = 0;
};

struct Harness {
  Harness() {
    env.AppFolder = folder + "/";
    env.ClockSource = &clock;
    EnsureFolders(env);
    for (int slot = 0; slot < kRoomSlots; ++slot) {
      SetDefaultRoomEst(slot, rooms[slot]);
      if (slot > 0) rooms[slot].Use = slot % 3;
    }
    rooms[4].Room = 0;
    rooms[5].Data[kSoilTemperature].Region = -1;
    ClearCCMTable(table);
    SetupCCMTable(table, rooms);
    rx.Env = &env;
    rx.Table = &table;
    rx.Monitor = &monitor;
    rx.Inventory = &inventory;
    inventory.SetNow(clock.Now());
  }

  void CheckInvariants(int32_t countBefore) const {
    if (rx.RecvCounter != countBefore + 1) __builtin_trap();
    for (int slot = 0; slot < kRoomSlots; ++slot) {
      for (const TCCMData& cell : table.Cell[slot]) {
        if (cell.Valid > 1 || cell.Hold > kCCMHoldSeconds) __builtin_trap();
        if (slot == 0 && (cell.Valid != 0 || !cell.CCM.empty())) __builtin_trap();
      }
      if (table.RecvTicks[slot] < 0 || table.RecvTicks[slot] > kRecvIndicatorTicks) {
        __builtin_trap();
      }
    }
    if (inventory.Size() > kInventoryCapacity || !rx.Peer.empty()) __builtin_trap();
    if (inventory.Size() > 0) {
      const TCCMInventoryEntry& newest = inventory.Entry(inventory.Size() - 1);
      if (newest.Value.size() > kInventoryValueMax) __builtin_trap();
    }
  }

  fuzz::TFuzzFolder dir;
  std::string folder = dir.Path();
  FakeClock clock{EncodeDateTime(2021, 6, 1, 12, 0, 0)};
  TAppEnv env;
  TRoomEst rooms[kRoomSlots];
  TLiveValueTable table;
  TSystemSts sts;
  MonitorLines monitor;
  TCCMInventory inventory;
  TCCMReceiver rx;
  uint64_t runs = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  if (size > kMaxDatagramSize) size = kMaxDatagramSize;
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  const int32_t before = h.rx.RecvCounter;
  ReceiveCCM(h.rx, "192.0.2.1", payload);
  h.CheckInvariants(before);

  ++h.runs;
  if (h.runs % 10 == 0) {
    StepRecvIndicator(h.table, h.sts);
    AgeCCMTable(h.table, h.rooms, h.sts);
    StepRecvCount(h.rx, h.sts);
    h.clock.AdvanceSeconds(1);
    h.inventory.SetNow(h.clock.Now());
    if (h.inventory.Size() > 0) InventoryRow(h.inventory, 0, h.table, h.rooms);
  }
  if (h.runs % 997 == 0) SetupCCMTable(h.table, h.rooms);
  // Bounded disk use: the log of failed readings is dropped now and then.
  if (h.runs % 256 == 0) DeleteFile(GetLogFilePath(h.env, h.env.Now()));
  return 0;
}
