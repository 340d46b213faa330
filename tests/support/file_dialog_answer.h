// SPDX-License-Identifier: MIT
// Answers an open (non-native) file dialog with a path, as a user typing it would.
#pragma once

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace velk::test {

// QFileDialog::selectFile leaves the name edit alone while it has the focus, so a dialog that
// already took the focus would keep its suggested name: the name is typed into the edit instead.
inline void ChooseInFileDialog(QFileDialog* dialog, const QString& path) {
  const QFileInfo info(path);
  dialog->setDirectory(info.absolutePath());
  dialog->selectFile(path);
  if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    edit->setText(info.fileName());
  }
}

}  // namespace velk::test
