// SPDX-License-Identifier: MIT
// The main window's file import and print buttons.
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>

#include "app/print_main_window.h"
#include "app/process_form.h"
#include "app/record_import.h"
#include "app/ui_main.h"

namespace velk {

void TUIMain::BuildFileControls() {
  ODCsv = new QFileDialog(this, QStringLiteral("ファイルデータ参照"));
  ODCsv->setObjectName(QStringLiteral("ODCsv"));
  ODCsv->setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("すべての形式 (*)")});
  ODCsv->setFileMode(QFileDialog::ExistingFile);
  ODCsv->setAcceptMode(QFileDialog::AcceptOpen);
  ODCsv->setOption(QFileDialog::ReadOnly);
  ODCsv->setSizeGripEnabled(true);
  ODCsv->setDirectory(QString::fromStdString(env_.AppFolder));
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  connect(BBFile, &QPushButton::clicked, this, &TUIMain::BBFileClick);
  connect(BBPrint, &QPushButton::clicked, this, &TUIMain::BBPrintClick);
}

void TUIMain::BBFileClick() {
  if (busy_) return;
  if (ODCsv->exec() != QDialog::Accepted || ODCsv->selectedFiles().isEmpty()) return;
  ImportFile(ODCsv->selectedFiles().constFirst());
}

void TUIMain::ImportFile(const QString& path) {
  if (busy_) return;
  // The import lets pending events run: the buttons that would start another long task rest.
  busy_ = true;
  BBFile->setEnabled(false);
  BBPrint->setEnabled(false);
  if (process_) {
    process_->SetProgressText(QStringLiteral("ファイル読み込み中..."));
    process_->SetProgress(0);
    process_->adjustSize();
    process_->move(geometry().center() - process_->rect().center());
    process_->show();
  }
  const TImportResult result =
      ImportRecordCsv(stores_, env_, QFile::encodeName(path).toStdString(), [this](float fraction) {
        if (process_) process_->SetProgress(fraction);
        QCoreApplication::processEvents();
      });
  if (process_) process_->hide();
  // The header and the selector show the file before the result box comes up over them.
  if (result.Summarized) CBRoom->setCurrentIndex(0);
  fileName_ = path;
  BuildRoomList();
  UpdateHeader();
  BBFile->setEnabled(true);
  BBPrint->setEnabled(true);
  busy_ = false;
  // A window closed while the file was read gets no box.
  if (result.Read && isVisible()) {
    QMessageBox box(QMessageBox::Information, windowTitle(),
                    QString::fromStdString(result.Message), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ImportResult"));
    box.exec();
  }
}

void TUIMain::BBPrintClick() {
  if (busy_) return;
  busy_ = true;
  PrintMainWindow(*this, *printer_, env_);
  busy_ = false;
}

}  // namespace velk
