// SPDX-License-Identifier: MIT
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <vector>

#include "app/item_base_form.h"
#include "base/app_env.h"
#include "store/stores.h"
#include "views/past_chart.h"
#include "views/past_checks.h"
#include "views/past_navigation.h"

class QCustomPlot;
class QCPAxis;
class QCPGraph;
class QCPFinancial;
class QCPAbstractItem;

namespace velk {

class TDaySelForm;
class THistGraphForm;

// The view "過去の記録": a chart of the records of one room over 1, 7, 30 or 120 days, with its
// navigation, zoom, histogram and export.
class TPastStatusForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TPastStatusForm(const TAppEnv& env, TStores& stores, QWidget* parent);
  ~TPastStatusForm() override;

  void RefreshView() override;
  void SetRoomSlot(int slot) override;
  void SetDaySelForm(TDaySelForm* dialog) { daySel_ = dialog; }
  void SetHistGraphForm(THistGraphForm* dialog) { hist_ = dialog; }

  // The smallest span that holds [begin, end], centred on it, with its days shaded.
  void ShowPeriod(TDateTime begin, TDateTime end);

  // Handlers, by the names of their controls.
  void CBAvgClick();
  void OnItemClick();
  void SB5MinClick(int span);
  void BBTermChangeClick(int value);
  void BBSelDayClick();
  void BBHistogramClick();
  void BBRecoverClick();
  void BBSaveCsvClick();
  void TimerS1STimer();

  // Draws the current window.
  void Redraw();
  // Writes the records of the current window to a record CSV file; false after a logged failure.
  bool SaveWindowCsv(const QString& path);
  // The text of the memo or event marker within a few pixels of a horizontal chart position.
  QString MarkerTextAt(int pixelX) const;

  const TPastView& View() const { return view_; }
  const TPastChart& Chart() const { return chart_; }
  bool Zoomed() const { return !zoomStack_.empty(); }

  // Controls, by the names they carry.
  std::array<QCheckBox*, kKindCount> CBKind{};  // CBAvg, CBMax, CBMin, CB3Avg, CB5Avg, ...
  std::array<QCheckBox*, kItemCount> CBItem{};
  QCustomPlot* CtMain;
  // Series 0 to 10 by index; the candles are two plottables (rising and falling closes).
  std::array<QCPGraph*, kLineSeriesCount> LineSeries{};
  QCPFinancial* CandleUp;
  QCPFinancial* CandleDown;
  QCPGraph* MarkupBack;
  // Custom vertical axes 0 to 4.
  std::array<QCPAxis*, 5> CustomAxis{};
  std::array<QPushButton*, 4> SBSpan{};  // "１日", "１週", "１ヶ月", "３ヶ月"
  QButtonGroup* SpanGroup;
  QPushButton* BBRecover;
  QPushButton* BBHistogram;
  QPushButton* BBStartDay;
  QPushButton* BBBack;
  QPushButton* BBSelDay;
  QPushButton* BBFront;
  QPushButton* BBNewest;
  QPushButton* BBSaveCsv;
  QTimer TimerS1S;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TAxisRanges;

  int ShownSlot() const;
  void BuildControls();
  void BuildChart();
  void SetItemCaptions();
  void ReadChecks();
  void ShowChecks();
  void ApplyCheckRules();
  void PrepareBottomAxis();
  void FillPlottables();
  void DrawMarkupBand();
  void DrawEventMarkers();
  void LabelValueAxes(bool multi);
  void ScaleValueAxes();
  void CtMainZoom(const QRect& rect);
  void CtMainUndoZoom();
  void RunStep(int value);

  const TAppEnv& env_;
  TStores& stores_;
  TDaySelForm* daySel_ = nullptr;
  THistGraphForm* hist_ = nullptr;
  TPastView view_;
  TPastChecks checks_;
  TPastChart chart_;
  std::vector<TEventMarker> markers_;
  std::vector<QCPAbstractItem*> markerItems_;
  std::vector<TAxisRanges> zoomStack_;
  bool frontHeld_ = false;
  bool backHeld_ = false;
  int mouseDownRow_ = 0;
  int mouseUpRow_ = 0;
};

}  // namespace velk
