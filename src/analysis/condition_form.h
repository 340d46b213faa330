// SPDX-License-Identifier: MIT
#pragma once

#include "app/item_base_form.h"

namespace velk {

// The view "条件で絞込".
class TConditionForm : public TItemBaseForm {
  Q_OBJECT
 public:
  explicit TConditionForm(QWidget* parent) : TItemBaseForm(QStringLiteral("条件で絞込"), parent) {}
};

}  // namespace velk
