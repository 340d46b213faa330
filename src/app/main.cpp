// SPDX-License-Identifier: MIT
#include <QApplication>

#include "app/app_folder.h"
#include "app/site_preview_window.h"
#include "base/clock.h"
#include "settings/settings_files.h"
#include "store/stores.h"
#include "store/system_log.h"
#include "views/sun_times.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  static velk::SystemClock clock;
  velk::TAppEnv env;
  env.ClockSource = &clock;
  env.AppFolder =
      velk::ResolveAppFolder(argc, argv, QCoreApplication::applicationDirPath().toStdString());
  // The stores are large; they live on the heap for the whole run.
  static auto* stores = new velk::TStores;
  velk::EnsureFolders(env);
  velk::ReadAllEst(env, *stores);
  velk::UpdateSunTimes(env, *stores);
  velk::SitePreviewWindow window(env, *stores);
  window.show();
  return app.exec();
}
