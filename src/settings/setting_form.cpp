// SPDX-License-Identifier: MIT
#include "settings/setting_form.h"

#include "settings/settings_files.h"
#include "views/sun_times.h"

namespace velk {

TSettingForm::TSettingForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("設定"), parent), env_(env), stores_(stores) {
  FormCreate();
}

void TSettingForm::FormCreate() {
  ReadAllEst(env_, stores_);
  UpdateSunTimes(env_, stores_);
}

}  // namespace velk
