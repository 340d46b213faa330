// SPDX-License-Identifier: MIT
#include "acquisition/ccm_ctrl_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "acquisition/ccm_inventory_form.h"
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
  receiver_.Inventory = &inventory_;
  inventory_.SetNow(env_.Now());

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
  BBInventory = new QPushButton("受信CCM一覧...", bottom);
  BBInventory->setObjectName("BBInventory");
  connect(BBInventory, &QPushButton::clicked, this, &TCCMCtrlForm::ShowInventory);
  ComTimer.setInterval(100);
  connect(&ComTimer, &QTimer::timeout, this, &TCCMCtrlForm::ComTimerTimer);
  logRefresh_.setSingleShot(true);
  logRefresh_.setInterval(50);
  connect(&logRefresh_, &QTimer::timeout, this, &TCCMCtrlForm::FlushCCMLog);

  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->addWidget(CBShow);
  bottomLayout->addStretch(1);
  bottomLayout->addWidget(BBInventory);
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

void TCCMCtrlForm::AddCCMLog(std::string_view line) {
  if (!CBShow->isChecked()) return;
  if (static_cast<int>(logLines_.size()) > kCCMLogTrimAbove) {
    while (static_cast<int>(logLines_.size()) > kCCMLogTrimTo) {
      logLines_.pop_front();
      // Lines drawn already leave MLog at the next drawing.
      if (shownLines_ > 0) {
        --shownLines_;
        ++droppedShownLines_;
      }
    }
  }
  const std::string shown = RemoveFirstCrLf(CapCCMLogLine(line));
  QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  for (const QString& part : text.split(QLatin1Char('\n'))) logLines_.push_back(part);
  logChanged_ = true;
  if (!logRefresh_.isActive()) logRefresh_.start();
}

void TCCMCtrlForm::FlushCCMLog() {
  logRefresh_.stop();
  if (!logChanged_) return;
  logChanged_ = false;
  // The drawn text changes only at its ends: the trimmed lines leave the top, the new ones are
  // appended, so a drawing costs what changed rather than the whole log.
  if (droppedShownLines_ > 0) {
    if (shownLines_ == 0) {
      MLog->clear();
    } else {
      QTextCursor cursor(MLog->document());
      cursor.movePosition(QTextCursor::Start);
      cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, droppedShownLines_);
      cursor.removeSelectedText();
    }
    droppedShownLines_ = 0;
  }
  for (size_t i = shownLines_; i < logLines_.size(); ++i) MLog->appendPlainText(logLines_[i]);
  shownLines_ = logLines_.size();
  MLog->moveCursor(QTextCursor::End);
}

void TCCMCtrlForm::showEvent(QShowEvent* event) {
  FlushCCMLog();
  QWidget::showEvent(event);
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

void TCCMCtrlForm::ShowInventory() {
  if (inventoryForm_ == nullptr)
    inventoryForm_ = new TCCMInventoryForm(inventory_, table_, stores_.RoomEst, this);
  inventoryForm_->show();
  inventoryForm_->raise();
  inventoryForm_->activateWindow();
}

void TCCMCtrlForm::BBCloseClick() {
  hide();
}

}  // namespace velk
