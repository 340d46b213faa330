// SPDX-License-Identifier: MIT
#pragma once

#include "app/item_base_form.h"

namespace velk {

// The view "現在状況".
class TNowStatusForm : public TItemBaseForm {
  Q_OBJECT
 public:
  explicit TNowStatusForm(QWidget* parent) : TItemBaseForm(QStringLiteral("現在状況"), parent) {}
};

}  // namespace velk
