// SPDX-License-Identifier: MIT
#pragma once

#include "app/item_base_form.h"
#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

// The settings view "設定". Creating it loads every settings file and computes the sun times of
// the loaded site, so the header shows them from the first second.
class TSettingForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TSettingForm(const TAppEnv& env, TStores& stores, QWidget* parent);
  // This view does not follow the room selected in the main window.
  void SetRoomSlot(int) override {}

 private:
  void FormCreate();

  const TAppEnv& env_;
  TStores& stores_;
};

}  // namespace velk
