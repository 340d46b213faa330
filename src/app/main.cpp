// SPDX-License-Identifier: MIT
// Process start: the single-instance test, every window created once, the event loop.
#include <cstdlib>
#include <exception>

#include "acquisition/ccm_ctrl_form.h"
#include "app/app_folder.h"
#include "app/app_shell.h"
#include "app/instance_lock.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/clock.h"
#include "store/stores.h"
#include "store/system_log.h"

int main(int argc, char** argv) {
  // The stores exist before anything else and live as long as the process.
  static velk::TStores* stores = new velk::TStores;
  static velk::SystemClock clock;

  velk::TVelkApplication app(argc, argv);
  velk::LoadJapaneseTranslations(app);

  velk::TAppEnv env;
  env.ClockSource = &clock;
  // An installed program (executable in /usr/bin) keeps its files in the user's data folder.
  const velk::TAppFolderChoice folder = velk::ResolveAppFolder(
      argc, argv, velk::TVelkApplication::applicationDirPath().toStdString());
  env.AppFolder = folder.Folder;
  // Any failure to take the lock, not only another instance holding it, means history-only.
  velk::TInstanceLock lock(velk::DefaultInstanceLockPath());
  env.HistoryOnly = !lock.Held();

  int rc = 1;
  try {
    velk::TAppShell shell(env, *stores);
    shell.Start();
    // Said once per run, after the folders exist so that the line reaches the log.
    if (!folder.GivenUp.empty()) velk::WriteSystemLog(env, velk::AppFolderNotice(folder));
    // "--tab N" opens tab N (0 to 4) first, and "--room N" selects room slot N: for screenshots.
    const std::string tab = velk::CommandLineOption(argc, argv, "--tab");
    if (!tab.empty()) shell.Main->TCMonItem->setCurrentIndex(std::atoi(tab.c_str()));
    const std::string room = velk::CommandLineOption(argc, argv, "--room");
    if (!room.empty()) shell.Main->CBRoom->setCurrentIndex(std::atoi(room.c_str()));
    // "--window inventory" also opens the listing of the CCMs heard: for screenshots.
    if (velk::CommandLineOption(argc, argv, "--window") == "inventory")
      shell.CCMCtrl->ShowInventory();
    const std::string screenshot = velk::CommandLineOption(argc, argv, "--screenshot");
    if (!screenshot.empty()) shell.SaveScreenshotWhenLoaded(QString::fromStdString(screenshot));
    rc = app.exec();
  } catch (const std::exception& e) {
    velk::ShowErrorBox(QString::fromLocal8Bit(e.what()));
  }
  lock.Release();
  return rc;
}
