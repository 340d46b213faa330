// SPDX-License-Identifier: MIT
#pragma once

#include "app/item_base_form.h"

namespace velk {

// The view "未来予想".
class TFutureForm : public TItemBaseForm {
  Q_OBJECT
 public:
  explicit TFutureForm(QWidget* parent) : TItemBaseForm(QStringLiteral("未来予想"), parent) {}
};

}  // namespace velk
