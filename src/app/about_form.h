// SPDX-License-Identifier: MIT
// The splash window: start-up progress of a monitoring instance, and the about box.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace velk {

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent);

  // Shows the window (bringing it up) with the text, or hides it when `show` is false.
  void ShowSplashMessage(bool show, const QString& text);
  // Sets the text, then shows the window (the about box).
  void ShowMessageOnly(const QString& text);
  QString Message() const { return PMsg->text(); }

  QLabel* PMsg;
  QPushButton* BBClose;

 private:
  void CentreOnParent();
};

}  // namespace velk
