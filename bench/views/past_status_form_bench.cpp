// SPDX-License-Identifier: MIT
// A complete redraw of the past records chart, 1008 × 561 on the offscreen platform: the
// once-a-second follow of a one-week window at the newest data of a full year ring, four items.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <memory>

#include "base/clock.h"
#include "settings/settings_files.h"
#include "store/record_stats.h"
#include "views/past_status_form.h"

namespace velk {
namespace {

struct TViewFixture {
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  FakeClock clock;
  TAppEnv env;
  std::unique_ptr<TPastStatusForm> form;
  TViewFixture();
};

TViewFixture::TViewFixture() {
  SetDefaultRoomEst(1, stores->RoomEst[1]);
  TRoomDat& dat = stores->Dat(1);
  const TDateTime last = EncodeDateTime(2021, 6, 21, 10, 0);
  for (int k = 0; k < kRingSize; ++k) {
    TRecDat& r = dat.Rec[k];
    r.Time = k == 0 ? last + 30 * kSecond : last - (k - 1) * 5 * kMinute;
    for (int n = 0; n < kItemCount; ++n) {
      const float v = static_cast<float>(5 + (k % 288) * 0.1 + n);
      r.Item[n] = {1, v, v + 0.5f, v - 0.5f};
    }
  }
  dat.LastTime = last;
  dat.FirstTime = dat.Rec[kRingLast].Time;
  BuildDailyRecords(dat);
  for (int i = 0; i < 20; ++i) stores->RoomEvent[1].Event[i] = {last - i * 0.3, "メモ", {}};
  clock.Set(last);
  env.ClockSource = &clock;
  form = std::make_unique<TPastStatusForm>(env, *stores, nullptr);
  form->resize(1008, 561);
  form->show();
  form->SetRoomSlot(1);
  form->SB5MinClick(7);
  for (int i : {0, 1, 2, 3}) form->CBItem[i]->click();
  QApplication::processEvents();
}

void BM_PastStatusFollowWeek(benchmark::State& state) {
  TViewFixture f;
  for (auto _ : state) {
    f.stores->Dat(1).Rec[0].Time += kSecond;  // a new live value: the window follows
    f.form->SetRoomSlot(1);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PastStatusFollowWeek)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
