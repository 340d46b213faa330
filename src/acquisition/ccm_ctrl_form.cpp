// SPDX-License-Identifier: MIT
#include "acquisition/ccm_ctrl_form.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "store/system_log.h"

namespace velk {

TCCMCtrlForm::TCCMCtrlForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : QWidget(parent, Qt::Window),
      env_(env),
      stores_(stores),
      listener_([this](std::string_view peer,
                       std::string_view payload) { ReceiveCCM(receiver_, peer, payload); },
                this),
      watcher_(
          env, [this](const std::string& address) { status_.MyIP = address; }, this) {
  EnsureFolders(env_);
  ClearCCMTable(table_);
  receiver_.Env = &env_;
  receiver_.Table = &table_;
  receiver_.Monitor = this;

  setObjectName("CCMCtrlForm");
  setWindowTitle("CCMCtrlForm");
  resize(904, 460);

  MLog = new QPlainTextEdit(this);
  MLog->setObjectName("MLog");
  MLog->setReadOnly(true);
  MLog->setUndoRedoEnabled(false);
  MLog->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* bottom = new QWidget(this);
  bottom->setObjectName("PBottom");
  CBShow = new QCheckBox("表示する", bottom);
  CBShow->setObjectName("CBShow");
  CBShow->setChecked(true);
  BBClose = new QPushButton("閉じる", bottom);
  BBClose->setObjectName("BBClose");
  connect(BBClose, &QPushButton::clicked, this, &TCCMCtrlForm::BBCloseClick);

  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->addWidget(CBShow);
  bottomLayout->addStretch(1);
  bottomLayout->addWidget(BBClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MLog, 1);
  layout->addWidget(bottom);
}

TCCMCtrlForm::~TCCMCtrlForm() {
  StopNetwork();
}

bool TCCMCtrlForm::CCMLogShown() const {
  return CBShow->isChecked();
}

int TCCMCtrlForm::LogLineCount() const {
  const QTextDocument* doc = MLog->document();
  return doc->isEmpty() ? 0 : doc->blockCount();
}

void TCCMCtrlForm::AddCCMLog(std::string_view line) {
  if (!CBShow->isChecked()) return;
  if (LogLineCount() > kCCMLogTrimAbove) {
    while (LogLineCount() > kCCMLogTrimTo) {
      QCoreApplication::processEvents();
      QTextCursor cursor(MLog->document());
      cursor.movePosition(QTextCursor::Start);
      cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
      cursor.removeSelectedText();
    }
  }
  const std::string shown = RemoveFirstCrLf(line);
  QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
  // Any further line break starts another line of the log.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  MLog->appendPlainText(text);
}

bool TCCMCtrlForm::StartListener() {
  if (!listener_.Start(port_)) return false;
  status_.NetActive = 1;
  return true;
}

bool TCCMCtrlForm::StartWatcher() {
  return watcher_.Start();
}

void TCCMCtrlForm::StopNetwork() {
  listener_.Stop();
  watcher_.Stop();
}

void TCCMCtrlForm::BBCloseClick() {
  hide();
}

}  // namespace velk
