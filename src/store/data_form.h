// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace velk {

// The window "Data Check", created hidden at start-up.
class TDataForm : public QWidget {
  Q_OBJECT
 public:
  explicit TDataForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Data Check"));
    resize(838, 618);
  }
};

}  // namespace velk
