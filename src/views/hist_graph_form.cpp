// SPDX-License-Identifier: MIT
#include "views/hist_graph_form.h"

#include <qcustomplot.h>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "views/chart_style.h"

namespace velk {

THistGraphForm::THistGraphForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HistGraphForm"));
  setWindowTitle(QStringLiteral("ヒストグラム"));
  setModal(true);

  CHist = new QCustomPlot(this);
  CHist->setObjectName(QStringLiteral("CHist"));
  CHist->setBackground(ChartBackground());
  CHist->axisRect()->setBackground(QColor(255, 255, 224));
  CHist->yAxis->setLabel(QStringLiteral("分"));
  CHist->setInteractions(QCP::Interactions());  // no zoom, no drag
  Bars = new QCPBars(CHist->xAxis, CHist->yAxis);
  Bars->setName(QStringLiteral("histogram"));
  QColor fill(Qt::red);
  fill.setAlpha(64);  // 75 % transparent
  Bars->setPen(QPen(Qt::red, 2));
  Bars->setBrush(fill);

  BBClose = new QPushButton(QStringLiteral("OK"), this);
  BBClose->setObjectName(QStringLiteral("BBClose"));
  BBClose->setDefault(true);
  connect(BBClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BBClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CHist, 1);
  layout->addLayout(buttons);
  setFixedSize(640, 420);
}

void THistGraphForm::SetTitle(const std::string& itemName) {
  setWindowTitle(QStringLiteral("ヒストグラム: ") + QString::fromStdString(itemName));
}

void THistGraphForm::FillChart() {
  hist_.ComputeBins();
  QVector<double> keys;
  QVector<double> values;
  for (const THistBin& bin : hist_.Bins()) {
    keys.push_back(bin.Position);
    values.push_back(bin.Count * 5.0);  // each value stands for five minutes
  }
  Bars->setData(keys, values);
  // Bars as wide as a bin; a histogram without width (no spread) keeps the default.
  const double width = std::abs(hist_.Bins()[1].Position - hist_.Bins()[0].Position);
  Bars->setWidth(width > 0 && std::isfinite(width) ? width : 0.75);
  CHist->rescaleAxes();
  CHist->yAxis->setRangeLower(0);
  CHist->replot();
}

void THistGraphForm::ShowHistogram() {
  FillChart();
  if (parentWidget()) {
    const QRect frame = parentWidget()->window()->geometry();
    move(frame.center() - rect().center());
  }
  exec();
}

}  // namespace velk
