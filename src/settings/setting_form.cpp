// SPDX-License-Identifier: MIT
#include "settings/setting_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/header_texts.h"
#include "app/ui_main.h"
#include "base/date_format.h"
#include "settings/settings_files.h"
#include "settings/site_values.h"
#include "views/sun_times.h"

namespace velk {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QComboBox* NumberList(const QString& zeroEntry, const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->addItem(zeroEntry);
  for (int n = 1; n <= kMaxListNumber; ++n) list->addItem(QString::number(n));
  return list;
}

QLabel* GreyLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(128, 128, 128));
  label->setPalette(p);
  return label;
}

}  // namespace

TSettingForm::TSettingForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("設定"), parent), env_(env), stores_(stores) {
  setObjectName(QStringLiteral("SettingForm"));
  FormCreate();
  BuildControls();
  // Created at start-up together with the main window: this is the view's first display.
  FormShow();
}

void TSettingForm::FormCreate() {
  ReadAllEst(env_, stores_);
  UpdateSunTimes(env_, stores_);
}

void TSettingForm::FormShow() {
  if (env_.HistoryOnly) {
    GBRoomEst->setEnabled(false);
    GBSite->setEnabled(false);
    RGDayBreak->setEnabled(false);
    BBInventory->setEnabled(false);  // nothing is received in this mode
  }
  ShowSettings();
}

QGroupBox* TSettingForm::BuildRoomGroup(int room) {
  TRoomControls& c = Rooms[static_cast<size_t>(room - 1)];
  const QString n = QString::number(room);
  c.Group = new QGroupBox(QStringLiteral("部屋No.") + n, GBRoomEst);
  c.Group->setObjectName(QStringLiteral("GBRoom") + n);
  auto* layout = new QVBoxLayout(c.Group);
  layout->setSpacing(3);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  c.State = new QButtonGroup(c.Group);
  c.State->setExclusive(true);
  const struct {
    QPushButton** button;
    const char* caption;
    const char* name;
    void (TSettingForm::*handler)(int);
    const char* pressed;  // colour of the pressed button
  } states[] = {
      {&c.SBNotUse, "未使用", "SBNotUse", &TSettingForm::SBNotUseClick, "#c8c8c8"},
      {&c.SBSleep, "休止中", "SBSleep", &TSettingForm::SBSleepClick, "#ffd966"},
      {&c.SBBegin, "栽培中", "SBBegin", &TSettingForm::SBBeginClick, "#8fd18f"},
  };
  for (const auto& s : states) {
    auto* b = new QPushButton(QString::fromUtf8(s.caption), c.Group);
    b->setObjectName(QString::fromLatin1(s.name) + n);
    b->setCheckable(true);
    b->setMinimumHeight(28);
    b->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #8a8a8a; border-radius: 3px;"
                                    " background: #f4f4f4; }"
                                    "QPushButton:checked { background: %1; font-weight: bold;"
                                    " border: 2px solid #505050; }")
                         .arg(QLatin1String(s.pressed)));
    c.State->addButton(b);
    buttons->addWidget(b);
    *s.button = b;
    const auto handler = s.handler;
    connect(b, &QPushButton::clicked, this, [this, handler, room] { (this->*handler)(room); });
  }
  layout->addLayout(buttons);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(6);
  fields->setVerticalSpacing(3);
  c.EName = new QLineEdit(c.Group);
  c.EName->setObjectName(QStringLiteral("EName") + n);
  c.CBRoomNo = NumberList(QStringLiteral("0 (全棟）"), QStringLiteral("CBRoomNo") + n, c.Group);
  c.CBRegion = NumberList(QStringLiteral("0 (全区）"), QStringLiteral("CBRegion") + n, c.Group);
  c.CBOrder = NumberList(QStringLiteral("0 (全機）"), QStringLiteral("CBOrder") + n, c.Group);
  const struct {
    const char* caption;
    QWidget* field;
  } rows[] = {
      {"名称", c.EName},
      {"部屋番号（Room）", c.CBRoomNo},
      {"区画（region）", c.CBRegion},
      {"機番（Order）", c.CBOrder},
  };
  int row = 0;
  for (const auto& r : rows) {
    fields->addWidget(new QLabel(QString::fromUtf8(r.caption), c.Group), row, 0);
    fields->addWidget(r.field, row, 1);
    ++row;
  }
  fields->setColumnStretch(1, 1);
  layout->addLayout(fields);
  layout->addStretch(1);
  return c.Group;
}

void TSettingForm::BuildControls() {
  GBRoomEst = new QGroupBox(QStringLiteral("棟設定"), this);
  GBRoomEst->setObjectName(QStringLiteral("GBRoomEst"));
  auto* roomGrid = new QGridLayout(GBRoomEst);
  roomGrid->setSpacing(8);
  for (int room = 1; room <= 5; ++room) {
    // No.1 to No.3 in the upper row, No.4 and No.5 below.
    roomGrid->addWidget(BuildRoomGroup(room), (room - 1) / 3, (room - 1) % 3);
  }
  for (int col = 0; col < 3; ++col) roomGrid->setColumnStretch(col, 1);

  GBSite = new QGroupBox(QStringLiteral("立地条件"), this);
  GBSite->setObjectName(QStringLiteral("GBSite"));
  auto* site = new QGridLayout(GBSite);
  ELatitude = new QLineEdit(GBSite);
  ELatitude->setObjectName(QStringLiteral("ELatitude"));
  ELongitude = new QLineEdit(GBSite);
  ELongitude->setObjectName(QStringLiteral("ELongitude"));
  EElevation = new QLineEdit(GBSite);
  EElevation->setObjectName(QStringLiteral("EElevation"));
  site->addWidget(new QLabel(QStringLiteral("緯度"), GBSite), 0, 0);
  site->addWidget(ELatitude, 0, 1);
  site->addWidget(new QLabel(QStringLiteral("経度"), GBSite), 1, 0);
  site->addWidget(ELongitude, 1, 1);
  site->addWidget(new QLabel(QStringLiteral("標高"), GBSite), 2, 0);
  site->addWidget(EElevation, 2, 1);
  site->addWidget(new QLabel(QStringLiteral("m"), GBSite), 2, 2);
  site->setColumnStretch(1, 1);

  RGDayBreak = new QGroupBox(QStringLiteral("1日の開始タイミング（日界）"), this);
  RGDayBreak->setObjectName(QStringLiteral("RGDayBreak"));
  auto* dayBreak = new QHBoxLayout(RGDayBreak);
  DayBreakItems = new QButtonGroup(RGDayBreak);
  const char* const items[] = {"0時", "日の出"};
  for (int i = 0; i < 2; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(items[i]), RGDayBreak);
    item->setObjectName(QStringLiteral("RBDayBreak%1").arg(i));
    DayBreakItems->addButton(item, i);
    dayBreak->addWidget(item, 1);
  }
  // Stored and shown only: nothing reads the day break yet.
  RGDayBreak->setEnabled(false);

  auto* info = new QGroupBox(QStringLiteral("ソフトウェア情報"), this);
  info->setObjectName(QStringLiteral("GBInfo"));
  auto* infoLayout = new QVBoxLayout(info);
  infoLayout->addWidget(GreyLabel(QStringLiteral("UECS用　監視・解析ソフトウェア　VELK"), info));
  LVersion = GreyLabel(QString(), info);
  LVersion->setObjectName(QStringLiteral("LVersion"));
  infoLayout->addWidget(LVersion);

  auto* right = new QVBoxLayout;
  right->setSpacing(8);
  right->addWidget(GBSite);
  right->addWidget(RGDayBreak);
  right->addStretch(1);
  right->addWidget(info);

  auto* bottom = new QFrame(this);
  bottom->setObjectName(QStringLiteral("PBottom"));
  bottom->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* bottomLayout = new QHBoxLayout(bottom);
  BBUpdate = new QPushButton(QStringLiteral("設定反映"), bottom);
  BBUpdate->setObjectName(QStringLiteral("BBUpdate"));
  BBUpdate->setMinimumSize(120, 36);
  connect(BBUpdate, &QPushButton::clicked, this, &TSettingForm::BBUpdateClick);
  auto* notes = new QVBoxLayout;
  notes->setSpacing(2);
  notes->addWidget(new QLabel(
      QStringLiteral("変更内容を保存・反映させるには、設定反映ボタンを押してください。"), bottom));
  notes->addWidget(new QLabel(
      QStringLiteral("なお、「未使用」「休止中」「栽培中」ボタンは、すぐに反映されます。"),
      bottom));
  BBInventory = new QPushButton(QStringLiteral("受信CCM一覧..."), bottom);
  BBInventory->setObjectName(QStringLiteral("BBInventory"));
  BBInventory->setToolTip(QStringLiteral("ネットワークから受信しているCCMの一覧を表示します"));
  BBInventory->setMinimumHeight(36);
  connect(BBInventory, &QPushButton::clicked, this, [this] {
    if (openInventory_) openInventory_();
  });
  bottomLayout->addWidget(BBUpdate);
  bottomLayout->addSpacing(12);
  bottomLayout->addLayout(notes, 1);
  bottomLayout->addWidget(BBInventory);

  auto* top = new QHBoxLayout;
  top->setSpacing(10);
  top->addWidget(GBRoomEst, 1);
  top->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->addLayout(top, 1);
  layout->addWidget(bottom);
}

void TSettingForm::ShowSettings() {
  const TSiteTexts texts = SiteTexts(stores_.SiteEst);
  ELatitude->setText(Q(texts.Latitude));
  ELongitude->setText(Q(texts.Longitude));
  EElevation->setText(Q(texts.Elevation));
  if (QAbstractButton* item = DayBreakItems->button(stores_.SiteEst.DayBreak))
    item->setChecked(true);
  for (int room = 1; room <= 5; ++room) {
    const TRoomControls& c = Rooms[static_cast<size_t>(room - 1)];
    const TRoomEdits edits = RoomEditsOf(stores_.RoomEst[room]);
    ShowRoomState(room);
    c.EName->setText(Q(edits.Name));
    c.CBRoomNo->setCurrentIndex(edits.RoomPos);
    c.CBRegion->setCurrentIndex(edits.RegionPos);
    c.CBOrder->setCurrentIndex(edits.OrderPos);
  }
  LVersion->setText(QStringLiteral("Version ") + QString::fromLatin1(kVersionText));
}

void TSettingForm::ShowRoomState(int room) {
  if (room < 1 || room > 5) return;
  const TRoomControls& c = Rooms[static_cast<size_t>(room - 1)];
  switch (stores_.RoomEst[room].Use) {
    case kUseNone:
      c.SBNotUse->setChecked(true);
      break;
    case kUsePaused:
      c.SBSleep->setChecked(true);
      break;
    case kUseCultivating:
      c.SBBegin->setChecked(true);
      break;
    default:
      break;
  }
}

TRoomEdits TSettingForm::RoomEdits(int room) const {
  const TRoomControls& c = Rooms[static_cast<size_t>(room - 1)];
  return TRoomEdits{c.EName->text().toStdString(), c.CBRoomNo->currentIndex(),
                    c.CBRegion->currentIndex(), c.CBOrder->currentIndex()};
}

void TSettingForm::RebuildRoomList() {
  if (main_) main_->BuildRoomList();
}

void TSettingForm::TakeRoomEst(int room) {
  velk::TakeRoomEst(stores_, room, RoomEdits(room));
  RebuildRoomList();
}

void TSettingForm::BBUpdateClick() {
  const TSiteTexts texts{ELatitude->text().toStdString(), ELongitude->text().toStdString(),
                         EElevation->text().toStdString()};
  if (!TakeSiteValues(stores_.SiteEst, texts)) {
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QStringLiteral("数字以外の文字が含まれます"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("NumberWarning"));
    box.exec();
  }
  if (const int item = DayBreakItems->checkedId(); item == 0 || item == 1)
    stores_.SiteEst.DayBreak = item;
  for (int room = 1; room <= 5; ++room) TakeRoomEst(room);
  WriteAllEst(env_, stores_);
  UpdateSunTimes(env_, stores_);
  RebuildRoomList();
  if (main_) main_->UpdateHeader();
}

bool TSettingForm::Confirm(int room, TStateStep step) {
  QMessageBox box(QMessageBox::Question, windowTitle(), Q(StateQuestion(room, step)),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("StateQuestion"));
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

bool TSettingForm::ChooseCopyPath(int room, std::string& path) {
  QFileDialog dialog(this, QStringLiteral("記録ファイルの保存先"));
  dialog.setObjectName(QStringLiteral("CopyPathDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("すべての形式 (*.*)")});
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setDirectory(Q(env_.AppFolder));
  dialog.selectFile(
      Q("Room" + std::to_string(room) + "_" + FormatDateTime("yyyymmdd", env_.Now()) + ".csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().constFirst().toStdString();
  return !path.empty();
}

void TSettingForm::RunStateSteps(int room, TStateButton button) {
  if (room < 1 || room > 5) return;
  // A press that arrives while another change still asks its questions is not a change of its own.
  if (changing_) {
    ShowRoomState(room);
    return;
  }
  changing_ = true;
  std::string copyPath;
  for (const TStateStep step : StateSteps(stores_.RoomEst[room].Use, button)) {
    bool goOn = true;
    switch (step) {
      case TStateStep::ConfirmBegin:
      case TStateStep::ConfirmEnd:
      case TStateStep::ConfirmRetire:
        goOn = Confirm(room, step);
        break;
      case TStateStep::ChooseCopyPath:
        goOn = ChooseCopyPath(room, copyPath);
        break;
      case TStateStep::BeginCultivation:
        BeginCultivation(stores_, env_, room, RoomEdits(room));
        break;
      case TStateStep::EndCultivation:
        EndCultivation(stores_, env_, room, RoomEdits(room), copyPath);
        break;
      case TStateStep::StartManagement:
        StartManagement(stores_, env_, room, RoomEdits(room));
        break;
      case TStateStep::EndManagement:
        EndManagement(stores_, env_, room, RoomEdits(room));
        break;
    }
    if (!goOn) break;
    if (step == TStateStep::BeginCultivation || step == TStateStep::EndCultivation ||
        step == TStateStep::StartManagement || step == TStateStep::EndManagement) {
      RebuildRoomList();
    }
  }
  ShowRoomState(room);
  changing_ = false;
}

void TSettingForm::SBBeginClick(int room) {
  RunStateSteps(room, TStateButton::Begin);
}

void TSettingForm::SBSleepClick(int room) {
  RunStateSteps(room, TStateButton::Sleep);
}

void TSettingForm::SBNotUseClick(int room) {
  RunStateSteps(room, TStateButton::NotUse);
}

}  // namespace velk
