// SPDX-License-Identifier: MIT
#include "views/past_status_form.h"

#include <qcustomplot.h>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

#include "base/date_format.h"
#include "store/system_log.h"
#include "views/chart_style.h"
#include "views/day_sel_form.h"
#include "views/hist_graph_form.h"
#include "views/past_export.h"

namespace velk {
namespace {

// Ticks held before "◀" or "▶" starts repeating; one for the process.
int RepeatDelay = 0;
constexpr int kRepeatDelayTicks = 5;

constexpr int kSpans[4] = {1, 7, 30, 120};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Bottom-axis ticks at exact date-time steps of date values, labelled in the window's format.
class TDateValueTicker : public QCPAxisTicker {
 public:
  void SetFormat(const char* format) { format_ = format; }

 protected:
  double getTickStep(const QCPRange& range) override {
    // In minutes: 5 minutes to 12 hours, then 1 to 30 days.
    static constexpr int kStepMinutes[] = {5,   10,   15,   30,   60,    120,   180,   360,
                                           720, 1440, 2880, 7200, 10080, 14400, 21600, 43200};
    const double wanted = range.size() / std::max(tickCount(), 1);
    for (int minutes : kStepMinutes) {
      if (minutes * kMinute >= wanted) return minutes * kMinute;
    }
    return 30 * std::ceil(wanted / 30);
  }
  QString getTickLabel(double tick, const QLocale&, QChar, int) override {
    return Q(FormatDateTime(format_, tick));
  }

 private:
  const char* format_ = "mm/dd hh:nn";
};

}  // namespace

// The ranges of the zoomable axes, kept for "🔎 戻す".
struct TPastStatusForm::TAxisRanges {
  QCPRange X;
  QCPRange Left;
  QCPRange Right;
  QCPRange Custom0;
  QCPRange Custom1;
};

TPastStatusForm::TPastStatusForm(const TAppEnv& env, TStores& stores, QWidget* parent)
    : TItemBaseForm(QStringLiteral("過去の記録"), parent), env_(env), stores_(stores) {
  BuildControls();
  BuildChart();
  ApplyCheckRules();
  TimerS1S.setInterval(100);
  connect(&TimerS1S, &QTimer::timeout, this, &TPastStatusForm::TimerS1STimer);
  TimerS1S.start();
}

TPastStatusForm::~TPastStatusForm() = default;

void TPastStatusForm::BuildControls() {
  static const char* const kKindNames[kKindCount] = {"CBAvg",  "CBMax",   "CBMin",    "CB3Avg",
                                                     "CB5Avg", "CB15Avg", "CBChandle"};
  static const char* const kKindCaptions[kKindCount] = {
      "平均値", "最高値", "最低値", "3移動平均", "7移動平均", "15移動平均", "ローソク"};
  auto* kinds = new QGroupBox(QStringLiteral("表示内容"), this);
  auto* kindGrid = new QGridLayout(kinds);
  for (int k = 0; k < kKindCount; ++k) {
    CBKind[k] = new QCheckBox(QString::fromUtf8(kKindCaptions[k]), kinds);
    CBKind[k]->setObjectName(QString::fromUtf8(kKindNames[k]));
    CBKind[k]->setChecked(checks_.Kind[k]);
    kindGrid->addWidget(CBKind[k], k / 4, k % 4);
    connect(CBKind[k], &QCheckBox::clicked, this, &TPastStatusForm::CBAvgClick);
  }
  auto* items = new QGroupBox(QStringLiteral("表示項目"), this);
  auto* itemGrid = new QGridLayout(items);
  for (int i = 0; i < kItemCount; ++i) {
    CBItem[i] = new QCheckBox(items);
    CBItem[i]->setObjectName(QStringLiteral("CBItem%1").arg(i + 1));
    CBItem[i]->setProperty("item", i);
    itemGrid->addWidget(CBItem[i], i / 5, i % 5);
    connect(CBItem[i], &QCheckBox::clicked, this, &TPastStatusForm::OnItemClick);
  }
  auto* top = new QHBoxLayout;
  top->addWidget(kinds, 4);
  top->addWidget(items, 5);

  CtMain = new QCustomPlot(this);
  CtMain->setObjectName(QStringLiteral("CtMain"));

  auto button = [this](const char* caption, const char* name, const char* hint) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromUtf8(name));
    if (*hint) b->setToolTip(QString::fromUtf8(hint));
    return b;
  };
  static const char* const kSpanCaptions[4] = {"１日", "１週", "１ヶ月", "３ヶ月"};
  SpanGroup = new QButtonGroup(this);
  auto* bottom = new QHBoxLayout;
  for (int s = 0; s < 4; ++s) {
    SBSpan[s] = button(kSpanCaptions[s], "SBSpan", "");
    SBSpan[s]->setObjectName(QStringLiteral("SBSpan%1").arg(kSpans[s]));
    SBSpan[s]->setCheckable(true);
    SpanGroup->addButton(SBSpan[s], kSpans[s]);
    bottom->addWidget(SBSpan[s]);
  }
  SBSpan[0]->setChecked(true);
  connect(SpanGroup, &QButtonGroup::idClicked, this, &TPastStatusForm::SB5MinClick);

  BBRecover = button("🔎 戻す", "BBRecover", "拡大を元に戻す");
  BBRecover->setEnabled(false);
  BBHistogram = button("ヒストグラム", "BBHistogram", "表示期間のヒストグラム");
  BBSaveCsv = button("CSV保存...", "BBSaveCsv", "表示期間の記録をCSVファイルに保存");
  BBStartDay = button("開始日", "BBStartDay", "定植日に戻る");
  BBBack = button("◀", "BBBack", "1期間分戻る");
  BBSelDay = button("メモ・出来事", "BBSelDay", "");
  BBFront = button("▶", "BBFront", "1期間分進む");
  BBNewest = button("最新", "BBNewest", "最新に進む");
  // Narrow span and arrow buttons keep the row within the main window's width of 1008.
  for (QPushButton* b : SBSpan) b->setFixedWidth(70);
  BBBack->setFixedWidth(44);
  BBFront->setFixedWidth(44);
  bottom->addSpacing(12);
  bottom->addWidget(BBRecover);
  bottom->addWidget(BBHistogram);
  bottom->addWidget(BBSaveCsv);
  bottom->addStretch();
  for (QPushButton* b : {BBStartDay, BBBack, BBSelDay, BBFront, BBNewest}) bottom->addWidget(b);

  connect(BBRecover, &QPushButton::clicked, this, &TPastStatusForm::BBRecoverClick);
  connect(BBHistogram, &QPushButton::clicked, this, &TPastStatusForm::BBHistogramClick);
  connect(BBSaveCsv, &QPushButton::clicked, this, &TPastStatusForm::BBSaveCsvClick);
  connect(BBSelDay, &QPushButton::clicked, this, &TPastStatusForm::BBSelDayClick);
  connect(BBStartDay, &QPushButton::clicked, this, [this] { BBTermChangeClick(kStepFirst); });
  connect(BBBack, &QPushButton::clicked, this, [this] { BBTermChangeClick(kStepBack); });
  connect(BBFront, &QPushButton::clicked, this, [this] { BBTermChangeClick(kStepFront); });
  connect(BBNewest, &QPushButton::clicked, this, [this] { BBTermChangeClick(kStepNewest); });
  // Press, release and leave of the arrows drive the auto-repeat.
  BBBack->installEventFilter(this);
  BBFront->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(top);
  layout->addWidget(CtMain, 1);
  layout->addLayout(bottom);
}

void TPastStatusForm::BuildChart() {
  QCustomPlot* c = CtMain;
  c->setCursor(Qt::CrossCursor);
  c->setBackground(ChartBackground());
  c->axisRect()->setBackground(Qt::NoBrush);
  c->legend->setVisible(false);
  c->axisRect()->setMinimumMargins(QMargins(70, 3, 70, 10));
  c->setNoAntialiasingOnDrag(true);

  QCPAxis* left = c->yAxis;
  QCPAxis* right = c->yAxis2;
  auto colourAxis = [](QCPAxis* axis, const QColor& colour) {
    axis->setBasePen(QPen(colour));
    axis->setTickPen(QPen(colour));
    axis->setSubTickPen(QPen(colour));
    axis->setTickLabelColor(colour);
  };
  colourAxis(left, Qt::red);
  right->setVisible(true);
  colourAxis(right, Qt::blue);
  right->grid()->setVisible(false);
  c->xAxis->setTickLabelFont(QFont(QStringLiteral("Verdana"), 8));
  auto ticker = QSharedPointer<TDateValueTicker>::create();
  ticker->setTickCount(8);
  c->xAxis->setTicker(ticker);

  QCPAxisRect* rect = c->axisRect();
  CustomAxis[0] = rect->addAxis(QCPAxis::atLeft);
  CustomAxis[1] = rect->addAxis(QCPAxis::atRight);
  CustomAxis[2] = rect->addAxis(QCPAxis::atLeft);
  CustomAxis[3] = rect->addAxis(QCPAxis::atRight);
  CustomAxis[4] = rect->addAxis(QCPAxis::atRight);
  colourAxis(CustomAxis[0], QColor(0, 255, 0));
  colourAxis(CustomAxis[1], QColor(255, 0, 255));
  colourAxis(CustomAxis[2], Qt::darkGray);
  for (int a : {0, 1}) {
    CustomAxis[a]->setOffset(45);
    CustomAxis[a]->grid()->setVisible(false);
  }
  // Axis 2 carries no series; 3 holds the time-axis points at 0 of 0..100; 4 the band, 0..1.
  CustomAxis[2]->setVisible(false);
  CustomAxis[3]->setRange(0, 100);
  CustomAxis[3]->setVisible(false);
  CustomAxis[4]->setRange(0, 1);
  CustomAxis[4]->setVisible(false);

  struct TLine {
    const char* Title;
    QColor Colour;
    double Width;
    Qt::PenStyle Style;
    QCPAxis* Axis;
  };
  const TLine lines[kLineSeriesCount] = {
      {"平均", Qt::red, 2, Qt::SolidLine, left},
      {"最大", Qt::red, 1, Qt::DotLine, left},
      {"最小", Qt::red, 1, Qt::DotLine, left},
      {"3移動平均", Qt::blue, 2, Qt::SolidLine, left},
      {"7移動平均", QColor(255, 128, 0), 2, Qt::SolidLine, left},
      {"15移動平均", QColor(0, 128, 0), 2, Qt::SolidLine, left},
      {"系統１", Qt::red, 2, Qt::SolidLine, left},
      {"系統２", Qt::blue, 2, Qt::SolidLine, right},
      {"系統３", QColor(0, 255, 0), 2, Qt::SolidLine, CustomAxis[0]},
      {"系統４", QColor(255, 0, 255), 2, Qt::SolidLine, CustomAxis[1]},
      {"軸表示用", Qt::yellow, 1, Qt::SolidLine, CustomAxis[3]},
  };
  for (int s = 0; s < kLineSeriesCount; ++s) {
    LineSeries[s] = c->addGraph(c->xAxis, lines[s].Axis);
    LineSeries[s]->setName(QString::fromUtf8(lines[s].Title));
    LineSeries[s]->setPen(QPen(lines[s].Colour, lines[s].Width, lines[s].Style));
    LineSeries[s]->setAdaptiveSampling(true);
  }

  auto candles = [c, left](const QColor& colour, const char* name) {
    auto* f = new QCPFinancial(c->xAxis, left);
    f->setName(QString::fromUtf8(name));
    f->setChartStyle(QCPFinancial::csCandlestick);
    f->setWidthType(QCPFinancial::wtAbsolute);
    f->setWidth(7);
    f->setTwoColored(false);
    f->setPen(QPen(colour));  // the wick in the body's colour: no outline
    f->setBrush(colour);
    return f;
  };
  CandleUp = candles(QColor(255, 179, 179), "candle");
  CandleDown = candles(QColor(128, 255, 255), "candle");

  MarkupBack = c->addGraph(c->xAxis, CustomAxis[4]);
  MarkupBack->setName(QStringLiteral("MarkupBack"));
  MarkupBack->setPen(Qt::NoPen);
  QColor band(Qt::yellow);
  band.setAlpha(64);  // 75 % transparent
  MarkupBack->setBrush(band);
  MarkupBack->setVisible(false);
  // The band lies behind the lines.
  MarkupBack->setLayer(QStringLiteral("background"));

  // Rectangle zoom with our own undo stack; the rectangle is red.
  c->setSelectionRectMode(QCP::srmCustom);
  c->selectionRect()->setPen(QPen(Qt::red));
  c->selectionRect()->setBrush(Qt::NoBrush);
  connect(c->selectionRect(), &QCPSelectionRect::accepted, this,
          [this](const QRect& r, QMouseEvent*) { CtMainZoom(r); });
  connect(c, &QCustomPlot::mousePress, this,
          [this](QMouseEvent* e) { mouseDownRow_ = static_cast<int>(e->position().y()); });
  connect(c, &QCustomPlot::mouseRelease, this,
          [this](QMouseEvent* e) { mouseUpRow_ = static_cast<int>(e->position().y()); });
  connect(c, &QCustomPlot::mouseMove, this, [this](QMouseEvent* e) {
    const QString text = MarkerTextAt(static_cast<int>(e->position().x()));
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(e->globalPosition().toPoint(), text, CtMain);
    }
  });
  PrepareBottomAxis();
}

int TPastStatusForm::ShownSlot() const {
  return view_.Slot >= 0 && view_.Slot < kRoomSlots ? view_.Slot : 0;
}

void TPastStatusForm::SetItemCaptions() {
  const int slot = ShownSlot();
  for (int i = 0; i < kItemCount; ++i) {
    // Plain text: an item name is never read as a mnemonic or markup.
    QString name = Q(stores_.RoomEst[slot].Data[i].Name);
    CBItem[i]->setText(name.replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

void TPastStatusForm::RefreshView() {
  SetItemCaptions();
}

void TPastStatusForm::SetRoomSlot(int slot) {
  TItemBaseForm::SetRoomSlot(slot);
  const TRoomDat* stores[kRoomSlots];
  for (int s = 0; s < kRoomSlots; ++s) stores[s] = &stores_.Dat(s);
  const TFollow f = FollowRoomSlot(view_, stores, slot, Zoomed());
  if (f.Captions) SetItemCaptions();
  if (f.Redraw) {
    PrepareBottomAxis();
    Redraw();
  }
}

void TPastStatusForm::ReadChecks() {
  for (int k = 0; k < kKindCount; ++k) checks_.Kind[k] = CBKind[k]->isChecked();
  for (int i = 0; i < kItemCount; ++i) checks_.Item[i] = CBItem[i]->isChecked();
}

void TPastStatusForm::ShowChecks() {
  for (int k = 0; k < kKindCount; ++k) {
    CBKind[k]->setChecked(checks_.Kind[k]);
    CBKind[k]->setEnabled(checks_.KindEnabled[k]);
  }
  for (int i = 0; i < kItemCount; ++i) {
    CBItem[i]->setChecked(checks_.Item[i]);
    CBItem[i]->setEnabled(checks_.ItemEnabled[i]);
  }
}

void TPastStatusForm::ApplyCheckRules() {
  ReadChecks();
  ApplyPastCheckRules(checks_, view_.Span);
  ShowChecks();
}

void TPastStatusForm::CBAvgClick() {
  ApplyCheckRules();
  PrepareBottomAxis();
  Redraw();
}

void TPastStatusForm::OnItemClick() {
  CBAvgClick();
}

void TPastStatusForm::SB5MinClick(int span) {
  view_.Span = span;
  if (QAbstractButton* b = SpanGroup->button(span)) b->setChecked(true);
  CBAvgClick();
}

void TPastStatusForm::PrepareBottomAxis() {
  // A fixed range; the redraw sets the window's label format.
  auto ticker = CtMain->xAxis->ticker().dynamicCast<TDateValueTicker>();
  if (ticker) ticker->SetFormat("mm/dd hh:nn");
}

void TPastStatusForm::Redraw() {
  while (Zoomed()) CtMainUndoZoom();
  BBRecover->setEnabled(false);
  for (QCPGraph* g : LineSeries) g->setVisible(false);
  CandleUp->setVisible(false);
  CandleDown->setVisible(false);

  const bool multi = CheckedItemCount(checks_) >= 2;
  try {
    const TRoomDat& store = stores_.Dat(ShownSlot());
    BuildPastChart(store, checks_, view_.Span, view_.WindowEnd, chart_);
  } catch (const std::exception&) {
    WriteSystemLog(env_, multi ? "PastStatus: Multiモードグラフ描写異常"
                               : "PastStatus: Singleモードグラフ描写異常");
  }
  FillPlottables();
  for (int s = 0; s < kLineSeriesCount; ++s) {
    const bool inMode = s >= kSerLine1 || !multi;
    LineSeries[s]->setVisible(inMode);
  }
  CandleUp->setVisible(!multi);
  CandleDown->setVisible(!multi);

  const TPastWindow& w = chart_.Window;
  // Smooth lines cost about 8 ms per thousand points: a week of 5-minute records is drawn with
  // plain ones so that the once-a-second follow stays light.
  CtMain->setNotAntialiasedElement(QCP::aePlottables, w.Count > 288);
  auto ticker = CtMain->xAxis->ticker().dynamicCast<TDateValueTicker>();
  if (ticker) ticker->SetFormat(w.LabelFormat);
  CtMain->xAxis->setRange(w.Start, w.End);
  LabelValueAxes(multi);
  ScaleValueAxes();
  DrawMarkupBand();
  DrawEventMarkers();
  CtMain->replot();
}

void TPastStatusForm::FillPlottables() {
  for (int s = 0; s < kLineSeriesCount; ++s) {
    const TPastSeries& src = chart_.Series[s];
    QVector<QCPGraphData> points(static_cast<qsizetype>(src.X.size()));
    for (size_t p = 0; p < src.X.size(); ++p) {
      points[static_cast<qsizetype>(p)] = QCPGraphData(src.X[p], src.Y[p]);
    }
    LineSeries[s]->data()->set(points, true);
  }
  QVector<QCPFinancialData> up;
  QVector<QCPFinancialData> down;
  for (const TCandle& k : chart_.Candles) {
    (k.Up ? up : down).push_back(QCPFinancialData(k.Time, k.Open, k.High, k.Low, k.Close));
  }
  CandleUp->data()->set(up, true);
  CandleDown->data()->set(down, true);
}

void TPastStatusForm::LabelValueAxes(bool multi) {
  const TRoomEst& room = stores_.RoomEst[ShownSlot()];
  auto label = [&room](int item) {
    if (item < 0) return QString();
    const TDataEst& d = room.Data[item];
    return d.Unit.empty() ? Q(d.Name) : Q(d.Name + " [" + d.Unit + "]");
  };
  // Each axis is shown, named after its item, only while it carries one.
  QCPAxis* axes[kMultiItemMax] = {CtMain->yAxis, CtMain->yAxis2, CustomAxis[0], CustomAxis[1]};
  for (int k = 0; k < kMultiItemMax; ++k) {
    const int item = multi ? chart_.MultiItems[k] : (k == 0 ? FirstCheckedItem(checks_) : -1);
    axes[k]->setLabel(label(item));
    axes[k]->setLabelColor(axes[k]->tickLabelColor());
    if (k > 0) axes[k]->setVisible(item >= 0);
  }
}

void TPastStatusForm::ScaleValueAxes() {
  for (QCPAxis* axis : {CtMain->yAxis, CtMain->yAxis2, CustomAxis[0], CustomAxis[1]}) {
    axis->rescale(true);
    // A little room above and below, so the extremes do not sit on the frame.
    const QCPRange r = axis->range();
    const double pad = r.size() * 0.04;
    if (std::isfinite(pad) && pad > 0) axis->setRange(r.lower - pad, r.upper + pad);
  }
}

void TPastStatusForm::DrawMarkupBand() {
  MarkupBack->data()->clear();
  MarkupBack->setVisible(false);
  double from = 0;
  double to = 0;
  if (!MarkupBand(view_, from, to)) return;
  MarkupBack->addData(from, 1);
  MarkupBack->addData(to, 1);
  MarkupBack->setVisible(true);
}

void TPastStatusForm::DrawEventMarkers() {
  for (QCPAbstractItem* item : markerItems_) CtMain->removeItem(item);
  markerItems_.clear();
  const int slot = ShownSlot();
  markers_ = EventMarkersIn(stores_.RoomEvent[slot], chart_.Window.Start, chart_.Window.End);
  for (const TEventMarker& m : markers_) {
    auto* line = new QCPItemStraightLine(CtMain);
    line->setClipToAxisRect(true);
    line->point1->setAxes(CtMain->xAxis, CustomAxis[4]);
    line->point2->setAxes(CtMain->xAxis, CustomAxis[4]);
    line->point1->setCoords(m.Time, 0);
    line->point2->setCoords(m.Time, 1);
    line->setPen(QPen(QColor(128, 0, 128), 1, Qt::DashLine));
    line->setSelectable(false);
    markerItems_.push_back(line);
  }
}

QString TPastStatusForm::MarkerTextAt(int pixelX) const {
  QString text;
  for (const TEventMarker& m : markers_) {
    const double x = CtMain->xAxis->coordToPixel(m.Time);
    if (std::abs(x - pixelX) > 3) continue;
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += Q(FormatDateTime("yyyy/mm/dd hh:nn ", m.Time)) + Q(m.Text);
  }
  return text;
}

void TPastStatusForm::CtMainZoom(const QRect& rect) {
  if (rect.width() < 4 || rect.height() < 4) return;  // a click, not a rectangle
  const TAxisRanges before{CtMain->xAxis->range(), CtMain->yAxis->range(), CtMain->yAxis2->range(),
                           CustomAxis[0]->range(), CustomAxis[1]->range()};
  zoomStack_.push_back(before);
  CtMain->xAxis->setRange(QCPRange(CtMain->xAxis->pixelToCoord(rect.left()),
                                   CtMain->xAxis->pixelToCoord(rect.right())));
  for (QCPAxis* axis : {CtMain->yAxis, CtMain->yAxis2}) {
    QCPRange r(axis->pixelToCoord(rect.bottom()), axis->pixelToCoord(rect.top()));
    r.normalize();
    axis->setRange(r);
  }
  // The third and fourth items' axes span the rows of the release (minimum) and the press.
  for (int a : {0, 1}) {
    QCPRange r(CustomAxis[a]->pixelToCoord(mouseUpRow_),
               CustomAxis[a]->pixelToCoord(mouseDownRow_));
    r.normalize();
    CustomAxis[a]->setRange(r);
  }
  BBRecover->setEnabled(true);
  CtMain->replot();
}

void TPastStatusForm::CtMainUndoZoom() {
  if (zoomStack_.empty()) return;
  const TAxisRanges r = zoomStack_.back();
  zoomStack_.pop_back();
  CtMain->xAxis->setRange(r.X);
  CtMain->yAxis->setRange(r.Left);
  CtMain->yAxis2->setRange(r.Right);
  CustomAxis[0]->setRange(r.Custom0);
  CustomAxis[1]->setRange(r.Custom1);
  if (zoomStack_.empty()) {
    // Back to automatic scaling.
    CustomAxis[0]->rescale(true);
    CustomAxis[1]->rescale(true);
  }
}

void TPastStatusForm::BBRecoverClick() {
  CtMainUndoZoom();
  BBRecover->setEnabled(Zoomed());
  CtMain->replot();
}

void TPastStatusForm::RunStep(int value) {
  const int slot = ShownSlot();
  StepWindow(view_, stores_.Dat(slot), stores_.RoomInfo[slot], value);
  PrepareBottomAxis();
  Redraw();
}

void TPastStatusForm::BBTermChangeClick(int value) {
  view_.MarkupDay = 0;
  view_.MarkupEnd = 0;
  RunStep(value);
}

bool TPastStatusForm::eventFilter(QObject* watched, QEvent* event) {
  const bool front = watched == BBFront;
  if (front || watched == BBBack) {
    bool& held = front ? frontHeld_ : backHeld_;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        held = true;
        RepeatDelay = kRepeatDelayTicks;
        break;
      case QEvent::MouseButtonRelease:
      case QEvent::Leave:
        held = false;
        break;
      default:
        break;
    }
  }
  return TItemBaseForm::eventFilter(watched, event);
}

void TPastStatusForm::TimerS1STimer() {
  if (!frontHeld_ && !backHeld_) return;
  if (RepeatDelay > 0) {
    --RepeatDelay;
    return;
  }
  // Repeated steps keep the shaded day.
  if (frontHeld_) RunStep(kStepFront);
  if (backHeld_) RunStep(kStepBack);
}

void TPastStatusForm::BBSelDayClick() {
  if (!daySel_ || view_.Slot < 0 || view_.Slot >= kRoomSlots) return;
  daySel_->SetSlot(view_.Slot);
  daySel_->PresetDate(DaySelectionPreset(view_));
  if (daySel_->exec() != QDialog::Accepted) return;
  CentreOnDay(view_, stores_.Dat(view_.Slot), daySel_->SelectedDate());
  PrepareBottomAxis();
  Redraw();
}

void TPastStatusForm::ShowPeriod(TDateTime begin, TDateTime end) {
  const int span = SpanForPeriod(begin, end);
  view_.Span = span;
  if (QAbstractButton* b = SpanGroup->button(span)) b->setChecked(true);
  ApplyCheckRules();
  const int slot = ShownSlot();
  CentreOnPeriod(view_, stores_.Dat(slot), begin, end);
  PrepareBottomAxis();
  Redraw();
}

void TPastStatusForm::BBHistogramClick() {
  if (!hist_) return;
  const int item = FirstCheckedItem(checks_);
  const int kind = FirstCheckedKind(checks_);
  hist_->Clear();
  if (item < 0 || kind < 0 || kind > kKindMin) return;
  const int slot = ShownSlot();
  try {
    const THistKind k = kind == kKindMax   ? THistKind::Max
                        : kind == kKindMin ? THistKind::Min
                                           : THistKind::Avg;
    CollectHistogram(stores_.Dat(slot), item, k, view_.WindowEnd - view_.Span, view_.WindowEnd,
                     hist_->Histogram());
  } catch (const std::exception&) {
    return;
  }
  hist_->SetTitle(stores_.RoomEst[slot].Data[item].Name);
  hist_->ShowHistogram();
}

bool TPastStatusForm::SaveWindowCsv(const QString& path) {
  const int slot = ShownSlot();
  return SavePastWindowCsv(env_, path.toStdString(), stores_.RoomEst[slot], stores_.Dat(slot),
                           view_.Span, view_.WindowEnd);
}

void TPastStatusForm::BBSaveCsvClick() {
  QFileDialog dialog(this, QStringLiteral("CSV保存"));
  dialog.setObjectName(QStringLiteral("SaveCsvDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("CSVファイル (*.csv)"));
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const int slot = ShownSlot();
  dialog.selectFile(QStringLiteral("Room%1_%2.csv")
                        .arg(slot)
                        .arg(Q(FormatDateTime("yyyymmdd", view_.WindowEnd - view_.Span))));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveWindowCsv(dialog.selectedFiles().first());
}

}  // namespace velk
