// SPDX-License-Identifier: MIT
// Every window of the application, created once in the fixed start-up order and wired together.
#pragma once

#include <QString>
#include <memory>

#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

class TUIMain;
class TNowStatusForm;
class TPastStatusForm;
class TFutureForm;
class TSettingForm;
class TConditionForm;
class TDataForm;
class TDaySelForm;
class TCCMCtrlForm;
class TAboutForm;
class THistGraphForm;
class TProcessForm;

class TAppShell {
 public:
  TAppShell(const TAppEnv& env, TStores& stores);
  ~TAppShell();
  TAppShell(const TAppShell&) = delete;
  TAppShell& operator=(const TAppShell&) = delete;

  // Shows the main window and starts the main and acquisition timers.
  void Start();
  // Saves a picture of the main window a few seconds after the start-up load has finished
  // (for demonstrations without a screen) and prints where it went. `click` names buttons of
  // the main window, separated by commas, that are clicked once the load has finished.
  void SaveScreenshotWhenLoaded(const QString& path, const QString& click = {});

  TUIMain* Main = nullptr;
  TNowStatusForm* NowStatus = nullptr;
  TPastStatusForm* PastStatus = nullptr;
  TFutureForm* Future = nullptr;
  TSettingForm* Setting = nullptr;
  TConditionForm* Condition = nullptr;
  TDataForm* Data = nullptr;
  TDaySelForm* DaySel = nullptr;
  TCCMCtrlForm* CCMCtrl = nullptr;
  TAboutForm* About = nullptr;
  THistGraphForm* HistGraph = nullptr;
  TProcessForm* Process = nullptr;

 private:
  std::unique_ptr<TUIMain> main_;
  bool historyOnly_;
};

}  // namespace velk
