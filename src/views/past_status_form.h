// SPDX-License-Identifier: MIT
#pragma once

#include "app/item_base_form.h"

namespace velk {

// The view "過去の記録".
class TPastStatusForm : public TItemBaseForm {
  Q_OBJECT
 public:
  explicit TPastStatusForm(QWidget* parent) : TItemBaseForm(QStringLiteral("過去の記録"), parent) {}
};

}  // namespace velk
