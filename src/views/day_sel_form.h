// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace velk {

// The window "発生日を選択", created hidden at start-up.
class TDaySelForm : public QWidget {
  Q_OBJECT
 public:
  explicit TDaySelForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("発生日を選択"));
    resize(400, 300);
  }
};

}  // namespace velk
