// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPushButton>
#include <string>

#include "views/histogram.h"

class QCustomPlot;
class QCPBars;

namespace velk {

// The modal dialog "ヒストグラム": minutes spent at each level of one item, created once at
// start-up and reused.
class THistGraphForm : public QDialog {
  Q_OBJECT
 public:
  explicit THistGraphForm(QWidget* parent);

  void Clear() { hist_.Clear(); }
  void Add(float value) { hist_.Add(value); }
  // The caption becomes "ヒストグラム: " + the item name.
  void SetTitle(const std::string& itemName);
  // Computes the bins, fills the chart and shows the dialog modally.
  void ShowHistogram();

  THistogram& Histogram() { return hist_; }
  QCustomPlot* CHist;
  QCPBars* Bars;
  QPushButton* BBClose;

 private:
  void FillChart();

  THistogram hist_;
};

}  // namespace velk
