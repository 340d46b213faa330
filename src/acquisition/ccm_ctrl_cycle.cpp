// SPDX-License-Identifier: MIT
// The acquisition cycle of the monitor window: the 100 ms tick, the start-up load behind the
// splash (as zero-time steps between the ticks), the network start with retry, and the
// once-a-second step.
#include <QTimer>

#include "acquisition/ccm_ctrl_form.h"
#include "store/record_stats.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr char kNetworkFailure[] = "CCMCtrl: ネットワーク起動異常";
// The pause between two steps of the start-up load (milliseconds).
constexpr int kLoadStepGapMs = 1;
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

void TCCMCtrlForm::LoadRoomStores() {
  if (loadStep_ >= 0) return;
  loadStep_ = 0;
  storesLoaded_ = false;
  QTimer::singleShot(kLoadStepGapMs, this, &TCCMCtrlForm::ContinueLoad);
}

void TCCMCtrlForm::ContinueLoad() {
  if (loadStep_ < 0) return;
  const int step = loadStep_++;
  RunLoadStep(step);
  if (loadStep_ < kLoadSteps) {
    // Pending events, timer ticks included, run before the next step. A zero-time shot would
    // be a posted event, which the event loop may keep serving ahead of the timers; a timer of
    // 1 ms takes its turn among them.
    QTimer::singleShot(kLoadStepGapMs, this, &TCCMCtrlForm::ContinueLoad);
    return;
  }
  loadStep_ = -1;
  storesLoaded_ = true;
}

void TCCMCtrlForm::RunLoadStep(int step) {
  if (step == 0) {
    SetupCCMTable(table_, stores_.RoomEst);
    return;
  }
  if (step == kLoadSteps - 1) {
    Splash(false, "");
    return;
  }
  const int q = 1 + (step - 1) / 6;
  const std::string room = std::to_string(q);
  TRoomDat& store = stores_.Dat(q);
  switch ((step - 1) % 6) {
    case 0:
      Splash(true, "データ読込中：部屋No." + room);
      break;
    case 1:
      ClearRoomRecords(store);
      loadEvents_ = TMonthEventLines{};  // the events ride along, so each file is read once
      LoadRoomRecords(env_, q, store, &loadEvents_);
      break;
    case 2:
      Splash(true, "データチェック中：部屋No." + room);
      break;
    case 3:
      ScanDataPeriod(store, stores_.RoomInfo[q]);
      break;
    case 4:
      Splash(true, "イベント読込中：部屋No." + room);
      break;
    default:
      ClearRoomEvents(stores_.RoomEvent[q]);
      LoadRoomEvents(env_, q, stores_.RoomEvent[q], &loadEvents_);
      loadEvents_ = TMonthEventLines{};
      break;
  }
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
