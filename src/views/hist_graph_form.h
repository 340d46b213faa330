// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace velk {

// The window "ヒストグラム", created hidden at start-up.
class THistGraphForm : public QWidget {
  Q_OBJECT
 public:
  explicit THistGraphForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("ヒストグラム"));
    resize(600, 400);
  }
};

}  // namespace velk
