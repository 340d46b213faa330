// SPDX-License-Identifier: MIT
#include "app/app_shell.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "acquisition/ccm_ctrl_form.h"
#include "analysis/condition_form.h"
#include "analysis/future_form.h"
#include "app/about_form.h"
#include "app/process_form.h"
#include "app/ui_main.h"
#include "settings/setting_form.h"
#include "store/data_form.h"
#include "views/day_sel_form.h"
#include "views/hist_graph_form.h"
#include "views/now_status_form.h"
#include "views/past_status_form.h"

namespace velk {

TAppShell::TAppShell(const TAppEnv& env, TStores& stores) {
  // The order matters: the settings view loads the settings the later windows rely on, and the
  // monitor window creates the folder tree.
  main_ = std::make_unique<TUIMain>(env, stores);
  Main = main_.get();
  NowStatus = new TNowStatusForm(Main);
  PastStatus = new TPastStatusForm(Main);
  Future = new TFutureForm(Main);
  Setting = new TSettingForm(env, stores, Main);
  Condition = new TConditionForm(env, stores, Main);
  Data = new TDataForm(Main);
  DaySel = new TDaySelForm(Main);
  CCMCtrl = new TCCMCtrlForm(env, stores, Main);
  CCMCtrl->setWindowFlag(Qt::Window);
  CCMCtrl->hide();
  About = new TAboutForm(Main);
  HistGraph = new THistGraphForm(Main);
  Process = new TProcessForm(Main);

  Main->SetViews({NowStatus, PastStatus, Condition, Future, Setting});
  Main->SetAboutForm(About);
  Main->SetDataForm(Data);
  Main->SetMonitorWindow(CCMCtrl);
  Main->SetStatusSource(&CCMCtrl->Status());
  TAboutForm* about = About;
  TUIMain* main = Main;
  CCMCtrl->SetSplashMessage([about](bool show, const std::string& text) {
    about->ShowSplashMessage(show, QString::fromStdString(text));
  });
  CCMCtrl->SetStatusRefresh([main] { main->UpdateStatusBar(); });
  TCCMCtrlForm* monitor = CCMCtrl;
  Setting->SetMainWindow(Main);
  Setting->SetInventoryOpener([monitor] { monitor->ShowInventory(); });
}

TAppShell::~TAppShell() = default;

void TAppShell::Start() {
  Main->show();
  Main->StartTimer();
  CCMCtrl->StartCycle();
}

}  // namespace velk

namespace velk {

void TAppShell::SaveScreenshotWhenLoaded(const QString& path) {
  auto* poll = new QTimer(Main);
  poll->setInterval(500);
  QObject::connect(poll, &QTimer::timeout, Main, [this, poll, path] {
    if (CCMCtrl->Cycle().StartTicks > 0 || About->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    QTimer::singleShot(3000, Main, [this, path] {
      const bool saved = Main->grab().save(path);
      std::printf("%s: %s\n", saved ? "Screenshot saved" : "Screenshot failed", qPrintable(path));
      std::fflush(stdout);
    });
  });
  poll->start();
}

}  // namespace velk
