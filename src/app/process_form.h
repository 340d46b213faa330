// SPDX-License-Identifier: MIT
// The progress dialog of a record-file import: a status line and a 0 to 300 gauge.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

namespace velk {

class TProcessForm : public QDialog {
  Q_OBJECT
 public:
  explicit TProcessForm(QWidget* parent);

  void SetProgressText(const QString& text);
  // fraction 0 to 1; the gauge shows 300 × fraction, truncated.
  void SetProgress(float fraction);

  QLabel* PStatus;
  QProgressBar* GaugePer;
};

}  // namespace velk
