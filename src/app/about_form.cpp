// SPDX-License-Identifier: MIT
#include "app/about_form.h"

#include <QVBoxLayout>

#include "app/artwork.h"

namespace velk {

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("UECS VELK"));
  setModal(false);
  setWindowOpacity(230.0 / 255.0);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(3);
  auto* picture = new QLabel(this);
  picture->setPixmap(DrawSplashPicture(600, 228));
  picture->setFixedSize(600, 228);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  PMsg = new QLabel(this);
  PMsg->setObjectName(QStringLiteral("PMsg"));
  PMsg->setFixedSize(604, 27);
  PMsg->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PMsg->setAlignment(Qt::AlignCenter);
  layout->addWidget(PMsg, 0, Qt::AlignHCenter);
  BBClose = new QPushButton(QStringLiteral("閉じる"), this);
  BBClose->setObjectName(QStringLiteral("BBClose"));
  BBClose->setFixedHeight(35);
  layout->addWidget(BBClose);
  connect(BBClose, &QPushButton::clicked, this, &QDialog::hide);
  setFixedSize(606, 302);
}

void TAboutForm::CentreOnParent() {
  if (QWidget* p = parentWidget()) move(p->geometry().center() - rect().center());
}

void TAboutForm::ShowSplashMessage(bool show, const QString& text) {
  // The splash is decoration: nothing here may stop the caller.
  try {
    if (!show) {
      hide();
      return;
    }
    if (!isVisible()) {
      CentreOnParent();
      QDialog::show();
      raise();
    }
    PMsg->setText(text);
  } catch (...) {
  }
}

void TAboutForm::ShowMessageOnly(const QString& text) {
  PMsg->setText(text);
  CentreOnParent();
  QDialog::show();
  raise();
}

}  // namespace velk
