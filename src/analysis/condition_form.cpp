// SPDX-License-Identifier: MIT
#include "analysis/condition_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/cond_files.h"
#include "analysis/cond_search.h"
#include "settings/settings_files.h"
#include "store/system_log.h"

namespace velk {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}
std::string S(const QString& s) {
  return s.toStdString();
}

QLabel* Label(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

const char* const kConditionTitles[kCondCount] = {"条件１", "条件２", "条件３"};

}  // namespace

TConditionForm::TConditionForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("条件で絞込"), parent), env_(env), stores_(stores) {
  setObjectName(QStringLiteral("ConditionForm"));
  BuildControls();
  // The conditions of the previous run, read once at start-up.
  if (EnsureFolders(env_)) LoadCondEst(env_, GetSiteEstPath(env_), cond_);
  FillItemLists();
  ShowCondEst();
}

void TConditionForm::BuildControls() {
  // Top panel: the title and the condition files.
  auto* top = new QFrame(this);
  top->setObjectName(QStringLiteral("PTop"));
  top->setAutoFillBackground(true);
  QPalette white = top->palette();
  white.setColor(QPalette::Window, Qt::white);
  top->setPalette(white);
  top->setFrameShape(QFrame::StyledPanel);
  ETitle = new QLineEdit(top);
  ETitle->setObjectName(QStringLiteral("ETitle"));
  BBSaveEst = new QPushButton(QStringLiteral("条件を保存する.."), top);
  BBSaveEst->setObjectName(QStringLiteral("BBSaveEst"));
  BBLoadEst = new QPushButton(QStringLiteral("条件を読み出す.."), top);
  BBLoadEst->setObjectName(QStringLiteral("BBLoadEst"));
  auto* topLayout = new QHBoxLayout(top);
  topLayout->addWidget(Label("条件タイトル：", top));
  topLayout->addWidget(ETitle, 1);
  topLayout->addSpacing(16);
  topLayout->addWidget(BBSaveEst);
  topLayout->addWidget(BBLoadEst);
  connect(BBSaveEst, &QPushButton::clicked, this, &TConditionForm::BBSaveEstClick);
  connect(BBLoadEst, &QPushButton::clicked, this, &TConditionForm::BBLoadEstClick);

  // The three condition boxes, each reading as one sentence.
  auto* left = new QVBoxLayout;
  for (int c = 0; c < kCondCount; ++c) {
    const QString n = QString::number(c + 1);
    auto* box = new QGroupBox(QString::fromUtf8(kConditionTitles[c]), this);
    box->setObjectName(QStringLiteral("GBCond") + n);
    CBTarget[c] = new QComboBox(box);
    CBTarget[c]->setObjectName(QStringLiteral("CBTarget") + n);
    CBTarget[c]->setMinimumContentsLength(8);
    CBCndA[c] = new QComboBox(box);
    CBCndA[c]->setObjectName(QStringLiteral("CBCndA") + n);
    for (const char* text : kCondCompareTexts) CBCndA[c]->addItem(QString::fromUtf8(text));
    CBJudge[c] = new QComboBox(box);
    CBJudge[c]->setObjectName(QStringLiteral("CBJudge") + n);
    for (const char* text : kCondJudgeTexts) CBJudge[c]->addItem(QString::fromUtf8(text));

    auto* sentence = new QHBoxLayout;
    sentence->addWidget(CBTarget[c]);
    sentence->addWidget(Label("が", box));
    sentence->addWidget(CBCndA[c]);
    sentence->addWidget(CBJudge[c]);
    sentence->addWidget(Label("の場合", box));
    sentence->addStretch(1);
    if (c > 0) {
      SBOn[c] = new QPushButton(QStringLiteral("ON"), box);
      SBOn[c]->setObjectName(QStringLiteral("SBOn") + n);
      SBOff[c] = new QPushButton(QStringLiteral("OFF"), box);
      SBOff[c]->setObjectName(QStringLiteral("SBOff") + n);
      auto* group = new QButtonGroup(box);
      for (QPushButton* b : {SBOn[c], SBOff[c]}) {
        b->setCheckable(true);
        b->setFixedWidth(48);
        group->addButton(b);
        sentence->addWidget(b);
        connect(b, &QPushButton::clicked, this, &TConditionForm::ApplyControlRules);
      }
      group->setExclusive(true);
      SBOff[c]->setChecked(true);
    }

    auto* values = new QFrame(box);
    values->setObjectName(QStringLiteral("PValue") + n);
    values->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    values->setAutoFillBackground(true);
    QPalette face = values->palette();
    face.setColor(QPalette::Window, QColor(240, 240, 240));
    values->setPalette(face);
    EValueL[c] = new QLineEdit(values);
    EValueL[c]->setObjectName(QStringLiteral("EValueL") + n);
    EValueH[c] = new QLineEdit(values);
    EValueH[c]->setObjectName(QStringLiteral("EValueH") + n);
    LTilde[c] = Label("~", values);
    LTilde[c]->setObjectName(QStringLiteral("LTilde") + n);
    for (QLineEdit* e : {EValueL[c], EValueH[c]}) {
      e->setFixedWidth(90);
      e->setAlignment(Qt::AlignRight);
    }
    auto* valueLayout = new QHBoxLayout(values);
    valueLayout->setContentsMargins(6, 2, 6, 2);
    valueLayout->addWidget(Label("設定数値：", values));
    valueLayout->addWidget(EValueL[c]);
    valueLayout->addWidget(LTilde[c]);
    valueLayout->addWidget(EValueH[c]);
    valueLayout->addStretch(1);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(sentence);
    boxLayout->addWidget(values);
    left->addWidget(box);

    for (QComboBox* list : {CBTarget[c], CBCndA[c], CBJudge[c]}) {
      connect(list, &QComboBox::activated, this, &TConditionForm::ApplyControlRules);
    }
  }

  // Duration.
  auto* duration = new QGroupBox(QStringLiteral("継続条件"), this);
  duration->setObjectName(QStringLiteral("GBDuration"));
  CBCndB = new QComboBox(duration);
  CBCndB->setObjectName(QStringLiteral("CBCndB"));
  for (const char* text : kCondDurationTexts) CBCndB->addItem(QString::fromUtf8(text));
  connect(CBCndB, &QComboBox::activated, this, &TConditionForm::ApplyControlRules);
  PTime = new QWidget(duration);
  PTime->setObjectName(QStringLiteral("PTime"));
  ETime = new QLineEdit(PTime);
  ETime->setObjectName(QStringLiteral("ETime"));
  ETime->setFixedWidth(70);
  ETime->setAlignment(Qt::AlignRight);
  auto* timeLayout = new QHBoxLayout(PTime);
  timeLayout->setContentsMargins(0, 0, 0, 0);
  timeLayout->addWidget(Label("継続時間：", PTime));
  timeLayout->addWidget(ETime);
  timeLayout->addWidget(Label("分", PTime));
  auto* note = Label("※継続時間は、5分単位で設定してください。", duration);
  note->setStyleSheet(QStringLiteral("color: gray;"));
  auto* durationRow = new QHBoxLayout;
  durationRow->addWidget(CBCndB);
  durationRow->addSpacing(12);
  durationRow->addWidget(PTime);
  durationRow->addStretch(1);
  auto* durationLayout = new QVBoxLayout(duration);
  durationLayout->addLayout(durationRow);
  durationLayout->addWidget(note);
  left->addWidget(duration);

  BBExec = new QPushButton(QStringLiteral("判定実行"), this);
  BBExec->setObjectName(QStringLiteral("BBExec"));
  BBExec->setMinimumHeight(44);
  QFont big = BBExec->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  BBExec->setFont(big);
  connect(BBExec, &QPushButton::clicked, this, &TConditionForm::BBExecClick);
  left->addWidget(BBExec);
  left->addStretch(1);

  // Results.
  auto* results = new QGroupBox(QStringLiteral("結果一覧"), this);
  results->setObjectName(QStringLiteral("GBResult"));
  LBResult = new QListWidget(results);
  LBResult->setObjectName(QStringLiteral("LBResult"));
  connect(LBResult, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ResultDoubleClicked(LBResult->row(item)); });
  BBSaveResult = new QPushButton(QStringLiteral("結果を保存する.."), results);
  BBSaveResult->setObjectName(QStringLiteral("BBSaveResult"));
  BBSaveResult->setEnabled(false);
  connect(BBSaveResult, &QPushButton::clicked, this, &TConditionForm::BBSaveResultClick);
  auto* resultLayout = new QVBoxLayout(results);
  resultLayout->addWidget(LBResult, 1);
  resultLayout->addWidget(BBSaveResult, 0, Qt::AlignRight);

  auto* body = new QHBoxLayout;
  body->addLayout(left, 3);
  body->addWidget(results, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(top);
  layout->addLayout(body, 1);
}

void TConditionForm::FillItemLists() {
  const int slot = RoomSlot();
  if (slot < 0 || slot >= kRoomSlots) return;
  for (QComboBox* list : CBTarget) {
    const int at = list->currentIndex();
    list->clear();
    for (const TDataEst& item : stores_.RoomEst[slot].Data) list->addItem(Q(item.Name));
    list->setCurrentIndex(at);
  }
}

TCondControls TConditionForm::Controls() const {
  TCondControls c;
  c.Name = S(ETitle->text());
  for (int i = 0; i < kCondCount; ++i) {
    c.Target[i] = CBTarget[i]->currentIndex();
    c.CndA[i] = CBCndA[i]->currentIndex();
    c.Judge[i] = CBJudge[i]->currentIndex();
    c.Low[i] = S(EValueL[i]->text());
    c.High[i] = S(EValueH[i]->text());
    c.On[i] = i == 0 || SBOn[i]->isChecked();
  }
  c.CndB = CBCndB->currentIndex();
  c.TimeVal = S(ETime->text());
  return c;
}

void TConditionForm::ShowCondEst() {
  const TCondControls c = velk::ShowCondEst(cond_);
  ETitle->setText(Q(c.Name));
  for (int i = 0; i < kCondCount; ++i) {
    CBTarget[i]->setCurrentIndex(c.Target[i]);
    CBCndA[i]->setCurrentIndex(c.CndA[i]);
    CBJudge[i]->setCurrentIndex(c.Judge[i]);
    EValueL[i]->setText(Q(c.Low[i]));
    EValueH[i]->setText(Q(c.High[i]));
    if (i > 0) (c.On[i] ? SBOn[i] : SBOff[i])->setChecked(true);
  }
  CBCndB->setCurrentIndex(c.CndB);
  ETime->setText(Q(c.TimeVal));
  ApplyControlRules();
}

void TConditionForm::ApplyControlRules() {
  const TCondRules r = CondControlRules(Controls());
  for (int i = 0; i < kCondCount; ++i) {
    EValueL[i]->setVisible(r.LowVisible[i]);
    EValueH[i]->setVisible(r.HighVisible[i]);
    LTilde[i]->setVisible(r.HighVisible[i]);
    for (QWidget* w : std::initializer_list<QWidget*>{CBTarget[i], CBCndA[i], CBJudge[i],
                                                      EValueL[i], EValueH[i], LTilde[i]}) {
      w->setEnabled(r.Enabled[i]);
    }
  }
  PTime->setVisible(r.TimeValVisible);
}

void TConditionForm::TakeCondEst() {
  const std::vector<int> warnings = velk::TakeCondEst(Controls(), cond_);
  for (size_t i = 0; i < warnings.size(); ++i) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("数字以外の文字が含まれます"),
                         QMessageBox::Ok);
  }
}

void TConditionForm::ShowCondResults() {
  LBResult->clear();
  for (const std::string& line : CondResultLines(result_)) LBResult->addItem(Q(line));
}

void TConditionForm::ResultDoubleClicked(int row) {
  // Entries are filled from 0 upward, so the row is the entry.
  if (row < 0 || row >= kCondResultCount || !result_.Entry[row].Valid) return;
  emit PeriodActivated(result_.Entry[row].Begin, result_.Entry[row].End);
}

void TConditionForm::RefreshView() {
  FillItemLists();
  ShowCondEst();
}

void TConditionForm::SetRoomSlot(int slot) {
  if (slot == RoomSlot()) return;
  TItemBaseForm::SetRoomSlot(slot);
  FillItemLists();
  ShowCondEst();
}

void TConditionForm::FormClose() {
  if (EnsureFolders(env_)) SaveCondEst(env_, GetSiteEstPath(env_), cond_);
}

void TConditionForm::BBExecClick() {
  TakeCondEst();
  SearchCondPeriods(cond_, stores_, RoomSlot(), result_);
  ShowCondResults();
  BBSaveResult->setEnabled(true);
}

std::string TConditionForm::AskFileName(bool save, const QString& title, const QString& filter,
                                        const QString& suffix) {
  QFileDialog dialog(this, title, Q(env_.AppFolder), filter);
  dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return S(dialog.selectedFiles().constFirst());
}

void TConditionForm::BBSaveEstClick() {
  const std::string path = AskFileName(true, QStringLiteral("条件を保存する"),
                                       QStringLiteral("setpoint File (*.QCS)"), "QCS");
  if (path.empty()) return;
  TakeCondEst();
  SaveCondEst(env_, path, cond_);
}

void TConditionForm::BBLoadEstClick() {
  const std::string path = AskFileName(false, QStringLiteral("条件を読み出す"),
                                       QStringLiteral("setpoint File (*.QCS)"), "QCS");
  if (path.empty()) return;
  LoadCondEst(env_, path, cond_);
  FillItemLists();
  ShowCondEst();
}

TCondShown TConditionForm::ShownTexts() const {
  TCondShown s;
  for (int i = 0; i < kCondCount; ++i) {
    s.Cond[i] = {S(CBTarget[i]->currentText()), S(CBCndA[i]->currentText()),
                 S(CBJudge[i]->currentText()), S(EValueL[i]->text()), S(EValueH[i]->text())};
  }
  s.Duration = S(CBCndB->currentText());
  s.TimeVal = S(ETime->text());
  return s;
}

void TConditionForm::BBSaveResultClick() {
  const std::string path = AskFileName(true, QStringLiteral("条件結果の保存"),
                                       QStringLiteral("Text file (*.txt)"), "txt");
  if (path.empty()) return;
  SaveCondResults(env_, path, CondResultFileLines(cond_, ShownTexts(), CondResultLines(result_)));
}

}  // namespace velk
