// SPDX-License-Identifier: MIT
#include "app/ui_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/about_form.h"
#include "app/artwork.h"
#include "app/item_base_form.h"
#include "base/date_format.h"
#include "store/system_log.h"
#include "views/sun_times.h"

namespace velk {
namespace {

struct TTabInfo {
  const char* Caption;
  const char* Title;
};
const TTabInfo kTabs[5] = {
    {"現在", "現在状況"}, {"過去", "過去記録"}, {"条件", "条件絞込"},
    {"未来", "未来予想"}, {"設定", "設定"},
};

const int kStatusWidths[7] = {100, 80, 80, 80, 80, 80, 120};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QLabel* HeaderPanel(QWidget* parent, const char* name, QRect geometry, QColor colour,
                    const char* hint) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAutoFillBackground(true);
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, colour);
  panel->setPalette(p);
  QFont f = panel->font();
  f.setPixelSize(19);
  panel->setFont(f);
  if (hint) panel->setToolTip(QString::fromUtf8(hint));
  return panel;
}

}  // namespace

TUIMain::TUIMain(const TAppEnv& env, TStores& stores) : env_(env), stores_(stores) {
  setObjectName(QStringLiteral("UIMain"));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  PTop = new QFrame(central);
  PTop->setObjectName(QStringLiteral("PTop"));
  PTop->setFixedHeight(149);
  PTop->setAutoFillBackground(true);
  layout->addWidget(PTop);
  Views = new QStackedWidget(central);
  Views->setObjectName(QStringLiteral("Views"));
  layout->addWidget(Views, 1);
  setCentralWidget(central);
  BuildHeader();
  BuildStatusBar();
  BuildFileControls();
  resize(1008, 709);
  MainTimer.setInterval(1000);
  connect(&MainTimer, &QTimer::timeout, this, &TUIMain::MainTimerTimer);
  FormCreate();
}

void TUIMain::BuildHeader() {
  Logo = new QLabel(PTop);
  Logo->setObjectName(QStringLiteral("Logo"));
  Logo->setGeometry(16, 10, 180, 100);
  Logo->setPixmap(DrawLogo(180, 100));
  Logo->setCursor(Qt::PointingHandCursor);
  Logo->installEventFilter(this);

  QFont big = font();
  big.setPixelSize(19);
  CBRoom = new QComboBox(PTop);
  CBRoom->setObjectName(QStringLiteral("CBRoom"));
  CBRoom->setFont(big);
  CBRoom->setGeometry(211, 8, 574, 33);

  BBFile = new QPushButton(QStringLiteral("ファイルデータ参照..."), PTop);
  BBFile->setObjectName(QStringLiteral("BBFile"));
  BBFile->setGeometry(795, 8, 196, 37);

  TCMonItem = new QTabBar(PTop);
  TCMonItem->setObjectName(QStringLiteral("TCMonItem"));
  TCMonItem->setFont(big);
  TCMonItem->setGeometry(211, 57, 526, 35);
  TCMonItem->setDrawBase(false);
  TCMonItem->setExpanding(false);
  TCMonItem->setStyleSheet(QStringLiteral(
      "QTabBar::tab { min-width: 96px; height: 31px; margin-right: 4px; border: 1px solid #8a8a8a;"
      " border-radius: 3px; background: #efefef; }"
      "QTabBar::tab:selected { background: #c8e6ff; border-color: #3a78b8; }"));
  for (const TTabInfo& tab : kTabs) TCMonItem->addTab(QString::fromUtf8(tab.Caption));
  connect(TCMonItem, &QTabBar::currentChanged, this, [this] { ShowTabView(); });

  BBPrint = new QPushButton(QStringLiteral(" 印刷"), PTop);
  BBPrint->setObjectName(QStringLiteral("BBPrint"));
  BBPrint->setGeometry(795, 51, 95, 44);
  BBExit = new QPushButton(QStringLiteral("終了"), PTop);
  BBExit->setObjectName(QStringLiteral("BBExit"));
  BBExit->setGeometry(896, 51, 95, 45);
  connect(BBExit, &QPushButton::clicked, this, &QWidget::close);

  PItemName = HeaderPanel(PTop, "PItemName", QRect(16, 116, 180, 33), Qt::white, nullptr);
  PItemName->setFrameStyle(QFrame::NoFrame);
  PNowTime = HeaderPanel(PTop, "PNowTime", QRect(264, 108, 257, 33), QColor(200, 255, 255),
                         "現在時刻/最新データ時刻");
  PGrowTime =
      HeaderPanel(PTop, "PGrowTime", QRect(579, 107, 180, 33), QColor(238, 255, 200), "栽培日数");
  PSunrise =
      HeaderPanel(PTop, "PSunrise", QRect(815, 107, 60, 33), QColor(255, 237, 193), "日の出時刻");
  PSunset =
      HeaderPanel(PTop, "PSunset", QRect(931, 108, 60, 33), QColor(255, 237, 193), "日の入時刻");
  const struct {
    THeaderIcon icon;
    QLabel* panel;
  } icons[] = {{THeaderIcon::Clock, PNowTime},
               {THeaderIcon::Sprout, PGrowTime},
               {THeaderIcon::Sunrise, PSunrise},
               {THeaderIcon::Sunset, PSunset}};
  for (const auto& i : icons) {
    auto* icon = new QLabel(PTop);
    icon->setPixmap(DrawHeaderIcon(i.icon, 28));
    icon->setGeometry(i.panel->x() - 32, i.panel->y() + 2, 28, 28);
  }
}

void TUIMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StsBar"));
  bar->setSizeGripEnabled(false);
  for (int i = 0; i < 7; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StsBar%1").arg(i));
    panel->setFixedWidth(kStatusWidths[i]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->installEventFilter(this);
    bar->addWidget(panel);
    StsBar[static_cast<size_t>(i)] = panel;
  }
  bar->installEventFilter(this);
}

void TUIMain::LayOutAnchoredButtons() {
  // The three buttons keep their distance to the right edge, as laid out for a width of 1008.
  const int shift = PTop->width() - 1008;
  BBFile->move(795 + shift, 8);
  BBPrint->move(795 + shift, 51);
  BBExit->move(896 + shift, 51);
}

bool TUIMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool shift = mouse->modifiers() & Qt::ShiftModifier;
    if (watched == Logo && event->type() == QEvent::MouseButtonPress) {
      OnLogoClick(shift);
      return true;
    }
    const bool onStatusBar =
        watched == statusBar() || std::find(StsBar.begin(), StsBar.end(), watched) != StsBar.end();
    if (onStatusBar && (shift || event->type() == QEvent::MouseButtonDblClick) && monitor_) {
      monitor_->show();
      monitor_->raise();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TUIMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOutAnchoredButtons();
}

void TUIMain::FormCreate() {
  const TDateTime today = env_.Today();
  for (TRoomInfo& info : stores_.RoomInfo) {
    info.StartDate = today - 121;
    info.Sunrise = kDefaultSunrise;
    info.Sunset = kDefaultSunset;
  }
  ClearAllStores();
  fileName_.clear();
}

void TUIMain::ClearAllStores() {
  for (int slot = 0; slot < kRoomSlots; ++slot) ClearRoomRecords(stores_.Dat(slot));
  for (TRoomEventDat& events : stores_.RoomEvent) ClearRoomEvents(events);
}

void TUIMain::SetViews(const std::array<TItemBaseForm*, 5>& views) {
  views_ = views;
  for (TItemBaseForm* v : views_) Views->addWidget(v);
}

void TUIMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayOutAnchoredButtons();
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void TUIMain::FormShow() {
  setWindowTitle(Q(MainWindowTitle(env_.HistoryOnly)));
  if (env_.HistoryOnly) {
    CBRoom->setEnabled(false);
    QPalette p = PTop->palette();
    p.setColor(QPalette::Window, QColor(213, 255, 43));
    PTop->setPalette(p);
  }
  WriteSystemLog(env_, "System Start");
  ShowTabView();
  BuildRoomList();
  if (env_.HistoryOnly) CBRoom->setCurrentIndex(0);
  UpdateHeader();
}

TItemBaseForm* TUIMain::ActiveView() const {
  const int tab = TCMonItem->currentIndex();
  return tab >= 0 && tab < 5 ? views_[static_cast<size_t>(tab)] : nullptr;
}

void TUIMain::ShowTabView() {
  const int tab = TCMonItem->currentIndex();
  if (tab < 0 || tab >= 5) return;
  PItemName->setText(QString::fromUtf8(kTabs[tab].Title));
  if (TItemBaseForm* view = ActiveView()) {
    Views->setCurrentWidget(view);
    view->RefreshView();
    // The view learns the selected room at once, not at the next tick of the main timer.
    const int slot = CBRoom->currentIndex();
    if (slot >= 0 && slot < kRoomSlots) view->SetRoomSlot(slot);
  }
}

void TUIMain::UpdateHeader() {
  const int i = CBRoom->currentIndex();
  if (i < 0 || i >= kRoomSlots) return;
  const TRoomInfo& info = stores_.RoomInfo[i];
  if (i >= 1) {
    const TDateTime now = env_.Now();
    PNowTime->setText(Q(FormatDateTime(kFmtJpDateTimeSec, now)));
    PGrowTime->setText(Q(RoomGrowthText(stores_.RoomEst[i], DateOf(now))));
  } else {
    PNowTime->setText(Q(FormatDateTime(kFmtJpDateTimeSec, info.LastDate)));
    PGrowTime->setText(Q(GrowthDaysText(info.StartDate, info.LastDate)));
  }
  PSunrise->setText(Q(FormatDateTime(kFmtClock, info.Sunrise)));
  PSunset->setText(Q(FormatDateTime(kFmtClock, info.Sunset)));
  if (TItemBaseForm* view = ActiveView()) view->SetRoomSlot(i);
}

void TUIMain::UpdateStatusBar() {
  if (env_.HistoryOnly || !status_) return;
  const auto texts = StatusBarTexts(*status_, stores_.RoomEst);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i]) StsBar[i]->setText(Q(*texts[i]));
  }
}

void TUIMain::BuildRoomList() {
  try {
    QStringList entries;
    entries << Q(FileEntryText(fileName_.toStdString()));
    for (int slot = 1; slot < kRoomSlots; ++slot) {
      entries << Q(RoomEntryText(slot, stores_.RoomEst[slot]));
    }
    const int selected = CBRoom->currentIndex() < 0 ? 1 : CBRoom->currentIndex();
    const QSignalBlocker block(CBRoom);
    CBRoom->clear();
    CBRoom->addItems(entries);
    CBRoom->setCurrentIndex(selected);
  } catch (...) {
    WriteSystemLog(env_, "Main: CBRoom 部屋リスト生成異常");
  }
}

void TUIMain::MainTimerTimer() {
  UpdateHeader();
  UpdateStatusBar();
  const TDateTime today = env_.Today();
  if (today != rememberedDate_) UpdateSunTimes(env_, stores_);
  rememberedDate_ = today;
}

void TUIMain::OnLogoClick(bool shift) {
  if (shift) {
    if (dataForm_) {
      dataForm_->show();
      dataForm_->raise();
    }
    return;
  }
  if (about_)
    about_->ShowMessageOnly(QStringLiteral("Version ") + QString::fromLatin1(kVersionText));
}

bool TUIMain::FormCloseQuery() {
  if (env_.HistoryOnly) return true;
  QMessageBox box(QMessageBox::Question, windowTitle(),
                  QStringLiteral("終了するとモニタリングや計測記録が停止します。\n"
                                 "UECS-VELKを終了してよろしいですか？"),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("CloseQuery"));
  box.setDefaultButton(QMessageBox::Cancel);
  if (box.exec() != QMessageBox::Ok) return false;
  WriteSystemLog(env_, "System Shutdown.");
  return true;
}

void TUIMain::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    for (TItemBaseForm* view : views_) {
      if (view != nullptr) view->FormClose();
    }
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace velk
