// SPDX-License-Identifier: MIT
// The acquisition cycle of the monitor window: the 100 ms tick, the start-up load behind the
// splash, the network start with retry, and the once-a-second step.
#include <QCoreApplication>

#include "acquisition/ccm_ctrl_form.h"
#include "store/month_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr char kNetworkFailure[] = "CCMCtrl: ネットワーク起動異常";
// While the network stays down the failure is logged at most this often (seconds).
constexpr double kNetworkFailureLogInterval = 60.0;

}  // namespace

void TCCMCtrlForm::SetSplashMessage(std::function<void(bool, const std::string&)> splash) {
  splash_ = std::move(splash);
}

void TCCMCtrlForm::SetStatusRefresh(std::function<void()> refresh) {
  statusRefresh_ = std::move(refresh);
}

void TCCMCtrlForm::StartCycle() {
  ComTimer.start();
}

void TCCMCtrlForm::Splash(bool show, const std::string& text) {
  if (splash_) splash_(show, text);
}

void TCCMCtrlForm::PumpEvents() {
  QCoreApplication::processEvents();
}

void TCCMCtrlForm::LoadRoomStores() {
  SetupCCMTable(table_, stores_.RoomEst);
  for (int q = 1; q < kRoomSlots; ++q) {
    const std::string room = std::to_string(q);
    TRoomDat& store = stores_.Dat(q);
    Splash(true, "データ読込中：部屋No." + room);
    PumpEvents();
    ClearRoomRecords(store);
    TMonthEventLines eventLines;  // the events ride along, so each file is read once
    LoadRoomRecords(env_, q, store, &eventLines);
    Splash(true, "データチェック中：部屋No." + room);
    PumpEvents();
    ScanDataPeriod(store, stores_.RoomInfo[q]);
    Splash(true, "イベント読込中：部屋No." + room);
    PumpEvents();
    ClearRoomEvents(stores_.RoomEvent[q]);
    LoadRoomEvents(env_, q, stores_.RoomEvent[q], &eventLines);
  }
  Splash(false, "");
}

void TCCMCtrlForm::ReportNetworkStart(bool started) {
  if (started) {
    netFailing_ = false;
    return;
  }
  // A lasting failure is retried on every tick but logged when it begins and then once a minute.
  const TDateTime now = env_.Now();
  if (!netFailing_ || (now - netFailLogged_) / kSecond >= kNetworkFailureLogInterval) {
    WriteSystemLog(env_, kNetworkFailure);
    netFailLogged_ = now;
  }
  netFailing_ = true;
}

void TCCMCtrlForm::ComTimerTimer() {
  if (env_.HistoryOnly) return;
  inventory_.SetNow(env_.Now());
  if (cycle_.StartTicks > 0) {
    --cycle_.StartTicks;
    Splash(true, "初期化中・・・");
    if (cycle_.StartTicks == 0) LoadRoomStores();
  } else {
    bool started = true;
    if (!WatcherActive() && !StartWatcher()) started = false;
    if (!ListenerActive() && !StartListener()) started = false;
    ReportNetworkStart(started);
    StepRecvIndicator(table_, status_);
  }
  if (++cycle_.TickCount >= 10) {
    TAcquisitionContext ctx{env_, stores_, cycle_, table_, receiver_, status_};
    RunSecondStep(ctx);
    cycle_.TickCount = 0;
  }
  if (statusRefresh_) statusRefresh_();
}

}  // namespace velk
