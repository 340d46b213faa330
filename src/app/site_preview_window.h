// SPDX-License-Identifier: MIT
// A small window with the site from the settings files and today's sun times.
#pragma once

#include <QLabel>
#include <QWidget>

#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

class SitePreviewWindow : public QWidget {
  Q_OBJECT
 public:
  SitePreviewWindow(const TAppEnv& env, TStores& stores, QWidget* parent = nullptr);
  void Refresh();

 private:
  const TAppEnv& env_;
  TStores& stores_;
  QLabel* text_;
};

}  // namespace velk
