// SPDX-License-Identifier: MIT
// Looks shared by the charts of the views.
#pragma once

#include <QBrush>

namespace velk {

// Gradient from RGB(234, 234, 234) at the bottom to white at the top of the whole widget.
QBrush ChartBackground();

}  // namespace velk
