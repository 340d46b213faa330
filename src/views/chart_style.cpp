// SPDX-License-Identifier: MIT
#include "views/chart_style.h"

#include <QLinearGradient>

namespace velk {

QBrush ChartBackground() {
  QLinearGradient g(0, 1, 0, 0);
  g.setCoordinateMode(QGradient::ObjectMode);
  g.setColorAt(0, QColor(234, 234, 234));
  g.setColorAt(1, Qt::white);
  return QBrush(g);
}

}  // namespace velk
