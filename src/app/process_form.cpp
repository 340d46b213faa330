// SPDX-License-Identifier: MIT
#include "app/process_form.h"

namespace velk {

TProcessForm::TProcessForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("ProcessForm"));
  setWindowTitle(QStringLiteral("進行状況・・"));
  setModal(false);
  setFixedSize(322, 97);
  PStatus = new QLabel(this);
  PStatus->setObjectName(QStringLiteral("PStatus"));
  PStatus->setGeometry(8, 8, 300, 33);
  PStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  GaugePer = new QProgressBar(this);
  GaugePer->setObjectName(QStringLiteral("GaugePer"));
  GaugePer->setGeometry(8, 56, 300, 28);
  GaugePer->setRange(0, 300);
  GaugePer->setValue(0);
  GaugePer->setTextVisible(false);
  GaugePer->setStyleSheet(
      QStringLiteral("QProgressBar::chunk { background-color: rgb(128, 255, 128); }"));
}

void TProcessForm::SetProgressText(const QString& text) {
  PStatus->setText(text);
}

void TProcessForm::SetProgress(float fraction) {
  GaugePer->setValue(static_cast<int>(300.0f * fraction));
}

}  // namespace velk
