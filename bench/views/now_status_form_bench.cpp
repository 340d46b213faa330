// SPDX-License-Identifier: MIT
// The once-a-second update of the view "現在状況" with a full year ring: statistics, grid fill,
// memo and notice checks and the repaint of the whole view, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "acquisition/live_value_table.h"
#include "base/clock.h"
#include "settings/settings_files.h"
#include "views/now_status_form.h"

namespace velk {
namespace {

// A shown view over a full year ring, 500 events and one room without data.
struct TViewFixture {
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  FakeClock clock;
  TAppEnv env;
  TSystemSts status;
  std::unique_ptr<TNowStatusForm> form;
  TViewFixture();
};

TViewFixture::TViewFixture() {
  auto& stores = this->stores;
  SetDefaultRoomEst(1, stores->RoomEst[1]);
  stores->RoomEst[1].Use = kUseCultivating;
  for (TDataEst& item : stores->RoomEst[1].Data) {
    item.Dec = 1;
    item.UpperLimit = 30;
    item.LowerLimit = 10;
  }
  TRoomDat& dat = stores->Dat(1);
  const TDateTime last = EncodeDateTime(2021, 6, 21, 10, 0);
  for (int k = 0; k < kRingSize; ++k) {
    TRecDat& r = dat.Rec[k];
    r.Time = k == 0 ? last + 30 * kSecond : last - (k - 1) * 5 * kMinute;
    for (int n = 0; n < kItemCount; ++n) {
      const float v = static_cast<float>(5 + (k % 288) * 0.1);
      r.Item[n] = {1, v, v + 0.5f, v - 0.5f};
    }
  }
  stores->RoomInfo[1].LastDate = last;
  stores->RoomInfo[1].StartDate = dat.Rec[kRingLast].Time;
  for (int i = 0; i < kEventCount; ++i) {
    stores->RoomEvent[1].Event[i] = {last - i, "メモ " + std::to_string(i), {}};
  }
  clock.Set(last);
  env.ClockSource = &clock;
  status.RoomLost[1] = 1;
  form = std::make_unique<TNowStatusForm>(env, *stores, nullptr);
  form->SetStatusSource(&status);
  form->resize(1008, 561);
  form->show();
  QApplication::processEvents();
}

// As the main window's timer runs it: the update, then the paints it asked for.
void BM_NowStatusSetRoomSlot(benchmark::State& state) {
  TViewFixture f;
  for (auto _ : state) {
    f.form->SetRoomSlot(1);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_NowStatusSetRoomSlot)->Unit(benchmark::kMillisecond);

// The update followed by a repaint of the whole view (the worst case: a window uncovered).
void BM_NowStatusSetRoomSlotFullRepaint(benchmark::State& state) {
  TViewFixture f;
  for (auto _ : state) {
    f.form->SetRoomSlot(1);
    f.form->repaint();
  }
}
BENCHMARK(BM_NowStatusSetRoomSlotFullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
