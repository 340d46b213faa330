// SPDX-License-Identifier: MIT
#include "analysis/future_form.h"

#include <qcustomplot.h>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

#include "base/number_format.h"
#include "store/system_log.h"
#include "views/day_sel_form.h"

namespace velk {
namespace {

const QDate kDayZero(1899, 12, 30);

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QDate ToQDate(TDateTime t) {
  return kDayZero.addDays(static_cast<qint64>(std::floor(t)));
}

TDateTime FromQDate(const QDate& d) {
  return static_cast<TDateTime>(kDayZero.daysTo(d));
}

// Seconds for the chart's date axis, which reads them as UTC.
double ChartSeconds(TDateTime t) {
  return (t - 25569.0) * 86400.0;
}

QLabel* ResultField(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("--"), parent);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAutoFillBackground(true);
  QPalette pal = label->palette();
  pal.setColor(QPalette::Window, Qt::white);
  label->setPalette(pal);
  label->setMinimumWidth(130);
  label->setMinimumHeight(24);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

TFutureForm::TFutureForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("未来予想"), parent), env_(env), model_(env, stores) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);
  for (int p = 0; p < kFuturePanels; ++p) layout->addWidget(BuildPanel(p), 1);
}

QWidget* TFutureForm::BuildPanel(int p) {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("PPanel%1").arg(p));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setAutoFillBackground(true);
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, QColor(238, 246, 255));
  panel->setPalette(pal);
  auto* row = new QHBoxLayout(panel);

  // Target, its base and the button.
  auto* targetBox = new QGridLayout;
  CBTarget[p] = new QComboBox(panel);
  CBTarget[p]->setEditable(true);
  CBTarget[p]->setInsertPolicy(QComboBox::NoInsert);
  CBTarget[p]->setMinimumWidth(110);
  targetBox->addWidget(CBTarget[p], 0, 0);
  targetBox->addWidget(new QLabel(QStringLiteral("は"), panel), 0, 1);
  BBCalc[p] = new QPushButton(QStringLiteral("計算"), panel);
  targetBox->addWidget(BBCalc[p], 1, 0);
  targetBox->addWidget(new QLabel(QStringLiteral("基準値"), panel), 2, 0);
  EBase[p] = new QLineEdit(panel);
  EBase[p]->setToolTip(QStringLiteral("空欄: そのまま積算／数値: その値を超えた分だけ積算"));
  targetBox->addWidget(EBase[p], 3, 0);
  targetBox->setRowStretch(4, 1);
  row->addLayout(targetBox);

  auto refText = [panel] {
    auto* e = new QLineEdit(panel);
    e->setReadOnly(true);
    e->setMinimumWidth(168);
    return e;
  };
  auto pickButton = [panel] {
    auto* b = new QPushButton(QStringLiteral("…"), panel);
    b->setFixedWidth(26);
    return b;
  };

  auto* howMuch = new QGroupBox(QStringLiteral("どのぐらい？"), panel);
  auto* g1 = new QGridLayout(howMuch);
  EBegin[p] = refText();
  BBBegin[p] = pickButton();
  EEnd[p] = refText();
  BBEnd[p] = pickButton();
  PPass[p] = ResultField(howMuch);
  g1->addWidget(EBegin[p], 0, 0);
  g1->addWidget(BBBegin[p], 0, 1);
  g1->addWidget(new QLabel(QStringLiteral("から"), howMuch), 0, 2);
  g1->addWidget(EEnd[p], 1, 0);
  g1->addWidget(BBEnd[p], 1, 1);
  g1->addWidget(new QLabel(QStringLiteral("まで"), howMuch), 1, 2);
  g1->addWidget(PPass[p], 2, 0, 1, 3);
  g1->setRowStretch(3, 1);
  row->addWidget(howMuch);

  auto* howFar = new QGroupBox(QStringLiteral("どこまで増える？"), panel);
  auto* g2 = new QGridLayout(howFar);
  SELater[p] = new QSpinBox(howFar);
  SELater[p]->setRange(INT_MIN, INT_MAX);
  SELater[p]->setMinimumWidth(70);
  DTLater[p] = new QDateEdit(howFar);
  DTLater[p]->setCalendarPopup(true);
  DTLater[p]->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  PLater[p] = ResultField(howFar);
  g2->addWidget(new QLabel(QStringLiteral("開始日から"), howFar), 0, 0);
  g2->addWidget(SELater[p], 0, 1);
  g2->addWidget(new QLabel(QStringLiteral("日目の"), howFar), 0, 2);
  g2->addWidget(DTLater[p], 1, 0, 1, 2);
  g2->addWidget(new QLabel(QStringLiteral("には"), howFar), 1, 2);
  g2->addWidget(PLater[p], 2, 0, 1, 3);
  g2->setRowStretch(3, 1);
  row->addWidget(howFar);

  auto* when = new QGroupBox(QStringLiteral("いつになる？"), panel);
  auto* g3 = new QGridLayout(when);
  EOverVal[p] = new QLineEdit(when);
  EOverVal[p]->setMinimumWidth(80);
  PReach[p] = ResultField(when);
  PReach[p]->setMinimumWidth(190);  // "365日目 2020年05月05日" in bold
  g3->addWidget(EOverVal[p], 0, 0);
  g3->addWidget(new QLabel(QStringLiteral("になるのは"), when), 0, 1);
  g3->addWidget(PReach[p], 1, 0, 1, 2);
  g3->setRowStretch(2, 1);
  row->addWidget(when);

  Chart[p] = new QCustomPlot(panel);
  Chart[p]->setObjectName(QStringLiteral("Chart%1").arg(p));
  Chart[p]->setMinimumWidth(150);
  Chart[p]->setInteractions(QCP::iNone);
  auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
  ticker->setDateTimeFormat(QStringLiteral("MM/dd"));
  ticker->setDateTimeSpec(Qt::UTC);
  ticker->setTickCount(2);
  Chart[p]->xAxis->setTicker(ticker);
  QFont tickFont = Chart[p]->xAxis->tickLabelFont();
  tickFont.setPointSizeF(tickFont.pointSizeF() * 0.85);
  Chart[p]->xAxis->setTickLabelFont(tickFont);
  Chart[p]->yAxis->setTickLabelFont(tickFont);
  const QPen line(QColor(255, 127, 64), 2);
  Chart[p]->addGraph()->setPen(line);
  QPen dashed = line;
  dashed.setStyle(Qt::DashLine);
  Chart[p]->addGraph()->setPen(dashed);
  row->addWidget(Chart[p], 1);

  const auto name = [p](QWidget* w, const char* base) {
    w->setObjectName(QString::fromLatin1(base) + QString::number(p));
  };
  name(CBTarget[p], "CBTarget");
  name(BBCalc[p], "BBCalc");
  name(EBase[p], "EBase");
  name(EBegin[p], "EBegin");
  name(BBBegin[p], "BBBegin");
  name(EEnd[p], "EEnd");
  name(BBEnd[p], "BBEnd");
  name(PPass[p], "PPass");
  name(SELater[p], "SELater");
  name(DTLater[p], "DTLater");
  name(PLater[p], "PLater");
  name(EOverVal[p], "EOverVal");
  name(PReach[p], "PReach");

  connect(BBCalc[p], &QPushButton::clicked, this, [this, p] { BBCalcClick(p); });
  connect(BBBegin[p], &QPushButton::clicked, this, [this, p] { BBBeginClick(p); });
  connect(BBEnd[p], &QPushButton::clicked, this, [this, p] { BBEndClick(p); });
  connect(SELater[p], &QSpinBox::valueChanged, this, [this, p] { SetDateFromDayNumber(p); });
  connect(DTLater[p], &QDateEdit::dateChanged, this, [this, p] { DateChanged(p); });
  return panel;
}

void TFutureForm::showEvent(QShowEvent* event) {
  TItemBaseForm::showEvent(event);
  EnsureLoaded();
}

void TFutureForm::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  model_.Load();
  FillTargetLists();
  ShowFutureEst();
  ShowFutureResults();
  for (int p = 0; p < kFuturePanels; ++p) DrawFutureChart(p);
}

void TFutureForm::RefreshView() {
  EnsureLoaded();
  FillTargetLists();
  model_.NormalizeRefDays();
  ShowFutureEst();
}

void TFutureForm::SetRoomSlot(int slot) {
  TItemBaseForm::SetRoomSlot(slot);
  if (!model_.SetSlot(slot)) return;
  FillTargetLists();
  model_.NormalizeRefDays();
  ShowFutureEst();
}

void TFutureForm::FormClose() {
  // Settings never shown were never changed: the file keeps what it holds.
  if (!loaded_) return;
  TakeFutureEst(false);
  model_.Save();
}

void TFutureForm::FillTargetLists() {
  QStringList names;
  for (const std::string& n : model_.TargetNames()) names << Q(n);
  for (int p = 0; p < kFuturePanels; ++p) {
    const QSignalBlocker block(CBTarget[p]);
    CBTarget[p]->clear();
    CBTarget[p]->addItems(names);
  }
}

void TFutureForm::ShowFutureEst() {
  for (int p = 0; p < kFuturePanels; ++p) {
    const TFutureEst& e = model_.Est(p);
    CBTarget[p]->setCurrentIndex(e.Target >= 0 && e.Target < CBTarget[p]->count() ? e.Target : -1);
    ShowRefDays(p);
    EBase[p]->setText(e.Base ? Q(FormatFloat(*e.Base)) : QString());
    {
      const QSignalBlocker blockSpin(SELater[p]);
      SELater[p]->setValue(e.LaterDays);
    }
    SetDateFromDayNumber(p);
    EOverVal[p]->setText(Q(model_.OverValText(p)));
  }
}

void TFutureForm::ShowRefDays(int p) {
  EBegin[p]->setText(Q(model_.BeginText(p)));
  EEnd[p]->setText(Q(model_.EndText(p)));
  const QSignalBlocker block(DTLater[p]);
  DTLater[p]->setMinimumDate(ToQDate(model_.EarliestPickerDate(p)));
}

void TFutureForm::ShowFutureResults() {
  for (int p = 0; p < kFuturePanels; ++p) {
    PPass[p]->setText(Q(model_.PassText(p)));
    PLater[p]->setText(Q(model_.LaterText(p)));
    PReach[p]->setText(Q(model_.ReachText(p)));
  }
}

void TFutureForm::DrawFutureChart(int p) {
  try {
    const TFutureChart c = model_.Chart(p);
    QCustomPlot* chart = Chart[p];
    auto toKeys = [](const std::vector<double>& days) {
      QVector<double> keys;
      keys.reserve(static_cast<qsizetype>(days.size()));
      for (double d : days) keys << ChartSeconds(d);
      return keys;
    };
    auto toValues = [](const std::vector<double>& v) {
      return QVector<double>(v.begin(), v.end());
    };
    chart->graph(0)->setData(toKeys(c.DataX), toValues(c.DataY), true);
    chart->graph(1)->setData(toKeys(c.ProjX), toValues(c.ProjY), true);
    if (c.AxisBegin > 0) {
      chart->xAxis->setRange(ChartSeconds(c.AxisBegin),
                             ChartSeconds(std::max(c.AxisEnd, c.AxisBegin + 3)));
    }
    bool found = false;
    QCPRange range = chart->graph(0)->getValueRange(found);
    bool foundProj = false;
    const QCPRange proj = chart->graph(1)->getValueRange(foundProj);
    if (foundProj)
      range = found ? QCPRange(std::min(range.lower, proj.lower), std::max(range.upper, proj.upper))
                    : proj;
    if (found || foundProj) {
      const double pad = std::max((range.upper - range.lower) * 0.05, 1.0);
      chart->yAxis->setRange(std::min(0.0, range.lower), range.upper + pad);
    }
    chart->replot();
  } catch (...) {
    WriteSystemLog(env_, "Future: グラフ出力エラー");
  }
}

void TFutureForm::ShowNumberWarning() {
  QMessageBox box(QMessageBox::Warning, windowTitle(), QStringLiteral("数字以外の文字が含まれます"),
                  QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("NumberWarning"));
  box.exec();
}

void TFutureForm::TakeFutureEst(bool warn) {
  for (int p = 0; p < kFuturePanels; ++p) {
    TFutureEst& e = model_.Est(p);
    // A typed text that names no item leaves no target.
    e.Target = CBTarget[p]->findText(CBTarget[p]->currentText());
    e.LaterDays = static_cast<uint16_t>(SELater[p]->value());
    double v;
    if (TryParseFloat(EOverVal[p]->text().trimmed().toStdString(), v)) {
      e.OverVal = v;
    } else if (warn) {
      ShowNumberWarning();
      EOverVal[p]->setText(Q(model_.OverValText(p)));  // the value still in use
    }
    const std::string base = EBase[p]->text().trimmed().toStdString();
    if (base.empty()) {
      e.Base.reset();
    } else if (TryParseFloat(base, v)) {
      e.Base = v;
    } else if (warn) {
      ShowNumberWarning();
      EBase[p]->setText(e.Base ? Q(FormatFloat(*e.Base)) : QString());
    }
  }
}

void TFutureForm::BBCalcClick(int p) {
  TakeFutureEst(true);
  model_.Compute(p);
  for (int i = 0; i < kFuturePanels; ++i) ShowRefDays(i);
  ShowFutureResults();
  for (int i = 0; i < kFuturePanels; ++i) DrawFutureChart(i);
}

bool TFutureForm::PickDay(TDateTime& day, int32_t& kind) {
  if (daySel_ == nullptr) return false;
  daySel_->SetSlot(model_.Slot());
  daySel_->PresetDate(day);
  daySel_->PresetDayKind(kind);
  if (daySel_->exec() != QDialog::Accepted) return false;
  day = daySel_->SelectedDate();
  kind = daySel_->DayKind();
  return true;
}

void TFutureForm::BBBeginClick(int p) {
  TDateTime day = model_.Est(p).BDay;
  int32_t kind = model_.Est(p).BEvent;
  if (PickDay(day, kind)) {
    model_.TakeBegin(p, day, kind);
    ShowRefDays(p);
  }
  SetDateFromDayNumber(p);
}

void TFutureForm::BBEndClick(int p) {
  TDateTime day = model_.Est(p).MDay;
  int32_t kind = model_.Est(p).MEvent;
  if (!PickDay(day, kind)) return;
  model_.TakeEnd(p, day, kind);
  ShowRefDays(p);
}

void TFutureForm::SetDateFromDayNumber(int p) {
  const auto day = model_.DateForDayNumber(p, SELater[p]->value());
  if (!day) return;
  const QSignalBlocker block(DTLater[p]);
  DTLater[p]->setDate(ToQDate(*day));
}

void TFutureForm::DateChanged(int p) {
  const QSignalBlocker block(SELater[p]);
  SELater[p]->setValue(model_.DayNumberForDate(p, FromQDate(DTLater[p]->date())));
}

}  // namespace velk
