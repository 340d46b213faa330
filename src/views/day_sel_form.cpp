// SPDX-License-Identifier: MIT
#include "views/day_sel_form.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QDate>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace velk {
namespace {

QDate ToQDate(TDateTime t) {
  const TDateParts p = DecodeDateTime(t);
  return QDate(p.Year, p.Month, p.Day);
}

TDateTime FromQDate(const QDate& d) {
  return EncodeDate(d.year(), d.month(), d.day());
}

QLabel* HeadingPanel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Raised);
  label->setAutoFillBackground(true);
  label->setMinimumHeight(24);
  QPalette p = label->palette();
  p.setColor(QPalette::Window, QColor(0, 64, 128));
  p.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(p);
  return label;
}

QToolButton* ToggleButton(const QString& name, const QString& text, QButtonGroup* group,
                          QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setCheckable(true);
  b->setMinimumWidth(96);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  group->addButton(b);
  return b;
}

QSpinBox* DaySpin(const QString& name, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(0, kDaySelSpinMax);
  s->setMinimumWidth(70);
  return s;
}

}  // namespace

TDaySelForm::TDaySelForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      stores_(stores) {
  (void)env;  // the dialog reads only the stores
  setObjectName(QStringLiteral("DaySelForm"));
  setWindowTitle(QStringLiteral("発生日を選択"));
  setWindowOpacity(240.0 / 255.0);

  // Left half: memos and events.
  auto* left = new QVBoxLayout;
  left->addWidget(HeadingPanel(QStringLiteral("　メモ・出来事から選択"), this));
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  SBStart = ToggleButton(QStringLiteral("SBStart"), QStringLiteral("開始日"), group, this);
  SBFinish = ToggleButton(QStringLiteral("SBFinish"), QStringLiteral("現在／最新日"), group, this);
  SBAnyday = ToggleButton(QStringLiteral("SBAnyday"), QStringLiteral("任意の日"), group, this);
  SBAnyday->setChecked(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(SBStart);
  buttons->addWidget(SBFinish);
  buttons->addWidget(SBAnyday);
  left->addLayout(buttons);
  EKeyWord = new QLineEdit(this);
  EKeyWord->setObjectName(QStringLiteral("EKeyWord"));
  EKeyWord->installEventFilter(this);
  BBSerch = new QPushButton(QStringLiteral("検索"), this);
  BBSerch->setObjectName(QStringLiteral("BBSerch"));
  BBSerch->setAutoDefault(false);
  auto* search = new QHBoxLayout;
  search->addWidget(EKeyWord, 1);
  search->addWidget(BBSerch);
  left->addLayout(search);
  LBResult = new QListWidget(this);
  LBResult->setObjectName(QStringLiteral("LBResult"));
  QFont listFont = LBResult->font();
  listFont.setPixelSize(15);
  LBResult->setFont(listFont);
  LBResult->setFixedSize(320, 260);
  left->addWidget(LBResult);

  // Right half: dates.
  auto* right = new QVBoxLayout;
  right->addWidget(HeadingPanel(QStringLiteral("　日付から選択"), this));
  SEByStart = DaySpin(QStringLiteral("SEByStart"), this);
  SEByNow = DaySpin(QStringLiteral("SEByNow"), this);
  auto* byStart = new QHBoxLayout;
  byStart->addWidget(new QLabel(QStringLiteral("栽培開始から"), this));
  byStart->addStretch(1);
  byStart->addWidget(SEByStart);
  byStart->addWidget(new QLabel(QStringLiteral("日目"), this));
  right->addLayout(byStart);
  auto* byNow = new QHBoxLayout;
  byNow->addWidget(new QLabel(QStringLiteral("現在/最新日から"), this));
  byNow->addStretch(1);
  byNow->addWidget(SEByNow);
  byNow->addWidget(new QLabel(QStringLiteral("日前"), this));
  right->addLayout(byNow);
  CalView = new QCalendarWidget(this);
  CalView->setObjectName(QStringLiteral("CalView"));
  CalView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  CalView->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  right->addWidget(CalView);
  right->addStretch(1);

  auto* halves = new QHBoxLayout;
  halves->addLayout(left);
  halves->addSpacing(8);
  halves->addLayout(right);

  BBOk = new QPushButton(QStringLiteral("OK"), this);
  BBOk->setObjectName(QStringLiteral("BBOk"));
  BBOk->setDefault(true);
  BBCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BBCancel->setObjectName(QStringLiteral("BBCancel"));
  BBCancel->setAutoDefault(false);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(BBOk);
  bottom->addWidget(BBCancel);

  auto* all = new QVBoxLayout(this);
  all->addLayout(halves);
  all->addLayout(bottom);
  all->setSizeConstraint(QLayout::SetFixedSize);

  connect(SBStart, &QToolButton::clicked, this, &TDaySelForm::SBStartClick);
  connect(SBFinish, &QToolButton::clicked, this, &TDaySelForm::SBFinishClick);
  connect(SBAnyday, &QToolButton::clicked, this, &TDaySelForm::SBAnydayClick);
  connect(BBSerch, &QPushButton::clicked, this, &TDaySelForm::BBSerchClick);
  connect(CalView, &QCalendarWidget::selectionChanged, this, &TDaySelForm::CalViewChange);
  connect(LBResult, &QListWidget::currentRowChanged, this, &TDaySelForm::LBResultClick);
  connect(LBResult, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { LBResultClick(LBResult->row(item)); });
  connect(SEByStart, &QSpinBox::valueChanged, this, &TDaySelForm::SEByStartChange);
  connect(SEByNow, &QSpinBox::valueChanged, this, &TDaySelForm::SEByNowChange);
  connect(BBOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowModel();
}

void TDaySelForm::SetSlot(int slot) {
  model_.Slot = slot;
}

void TDaySelForm::PresetDate(TDateTime date) {
  velk::PresetDate(model_, stores_, date);
  ShowModel();
}

void TDaySelForm::PresetDayKind(int code) {
  velk::PresetDayKind(model_, code);
  ShowModel();
}

void TDaySelForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnMainWindow();
  BBSerchClick();
}

bool TDaySelForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EKeyWord) {
    if (event->type() == QEvent::FocusIn) BBSerchClick();
    // Enter in the keyword edit searches instead of closing the dialog with "OK".
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        BBSerchClick();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TDaySelForm::SBStartClick() {
  PickStart(model_, stores_);
  ShowModel();
}

void TDaySelForm::SBFinishClick() {
  PickFinish(model_, stores_);
  ShowModel();
}

void TDaySelForm::SBAnydayClick() {
  PickAnyDay(model_, stores_);
  ShowModel();
}

void TDaySelForm::BBSerchClick() {
  Search(model_, stores_, EKeyWord->text().toStdString());
  ShowResults();
}

void TDaySelForm::CalViewChange() {
  ChangeCalendar(model_, stores_, FromQDate(CalView->selectedDate()));
  ShowModel();
}

void TDaySelForm::LBResultClick(int row) {
  if (PickResult(model_, stores_, row)) ShowModel();
}

void TDaySelForm::SEByStartChange(int days) {
  ChangeByStart(model_, stores_, days);
  ShowModel();
}

void TDaySelForm::SEByNowChange(int days) {
  ChangeByNow(model_, stores_, days);
  ShowModel();
}

void TDaySelForm::ShowModel() {
  const QSignalBlocker calendar(CalView);
  const QSignalBlocker byStart(SEByStart);
  const QSignalBlocker byNow(SEByNow);
  CalView->setSelectedDate(ToQDate(model_.CalendarDate));
  SEByStart->setValue(model_.ByStart);
  SEByNow->setValue(model_.ByNow);
  switch (model_.Down) {
    case TDaySelButton::kStart:
      SBStart->setChecked(true);
      break;
    case TDaySelButton::kFinish:
      SBFinish->setChecked(true);
      break;
    case TDaySelButton::kAnyDay:
      SBAnyday->setChecked(true);
      break;
  }
}

void TDaySelForm::ShowResults() {
  const QSignalBlocker block(LBResult);
  LBResult->clear();
  for (const std::string& line : ResultLines(model_)) {
    LBResult->addItem(QString::fromStdString(line));
  }
}

void TDaySelForm::CentreOnMainWindow() {
  const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
  if (!main || !main->isVisible()) return;
  QRect r = frameGeometry();
  r.moveCenter(main->frameGeometry().center());
  move(r.topLeft());
}

}  // namespace velk
