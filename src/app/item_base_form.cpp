// SPDX-License-Identifier: MIT
#include "app/item_base_form.h"

#include <QPalette>

namespace velk {

TItemBaseForm::TItemBaseForm(const QString& caption, QWidget* parent) : QWidget(parent) {
  setWindowTitle(caption);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  resize(1008, 561);
}

}  // namespace velk
