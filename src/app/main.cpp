// SPDX-License-Identifier: MIT
// Process start: the single-instance test, every window created once, the event loop.
#include <QTimer>
#include <cstdlib>
#include <exception>

#include "app/app_folder.h"
#include "app/app_shell.h"
#include "app/instance_lock.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/clock.h"
#include "store/stores.h"

int main(int argc, char** argv) {
  // The stores exist before anything else and live as long as the process.
  static velk::TStores* stores = new velk::TStores;
  static velk::SystemClock clock;

  velk::TVelkApplication app(argc, argv);
  velk::LoadJapaneseTranslations(app);

  velk::TAppEnv env;
  env.ClockSource = &clock;
  env.AppFolder = velk::ResolveAppFolder(
      argc, argv, velk::TVelkApplication::applicationDirPath().toStdString());
  // Any failure to take the lock, not only another instance holding it, means history-only.
  velk::TInstanceLock lock(velk::DefaultInstanceLockPath());
  env.HistoryOnly = !lock.Held();

  int rc = 1;
  try {
    velk::TAppShell shell(env, *stores);
    shell.Start();
    // "--tab N" opens tab N (0 to 4) first, and "--room N" selects room slot N: for screenshots.
    const std::string tab = velk::CommandLineOption(argc, argv, "--tab");
    if (!tab.empty()) shell.Main->TCMonItem->setCurrentIndex(std::atoi(tab.c_str()));
    const std::string room = velk::CommandLineOption(argc, argv, "--room");
    if (!room.empty()) shell.Main->CBRoom->setCurrentIndex(std::atoi(room.c_str()));
    // "--import FILE" imports a record file as the file button would: for demonstrations.
    const std::string import = velk::CommandLineOption(argc, argv, "--import");
    if (!import.empty()) {
      QTimer::singleShot(0, shell.Main, [&shell, import] {
        shell.Main->ImportFile(QString::fromStdString(import));
      });
    }
    const std::string screenshot = velk::CommandLineOption(argc, argv, "--screenshot");
    if (!screenshot.empty()) shell.SaveScreenshotWhenLoaded(QString::fromStdString(screenshot));
    rc = app.exec();
  } catch (const std::exception& e) {
    velk::ShowErrorBox(QString::fromLocal8Bit(e.what()));
  }
  lock.Release();
  return rc;
}
