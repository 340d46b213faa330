// SPDX-License-Identifier: MIT
#include "app/print_layout.h"

#include <algorithm>

namespace velk {

TPrintLayout ComputePrintLayout(int windowWidth, int windowHeight, int pageWidth, int pageHeight) {
  const double byHeight = static_cast<double>(pageHeight) / windowHeight;
  const double byWidth = static_cast<double>(pageWidth) / windowWidth;
  const double scale = std::min(byHeight, byWidth) * 0.9;
  TPrintLayout layout;
  layout.Scale = scale;
  layout.Left = static_cast<int>(pageHeight * kPrintMarginFactor);
  layout.Top = static_cast<int>(pageWidth * kPrintMarginFactor);
  layout.Width = static_cast<int>(windowWidth * scale);
  layout.Height = static_cast<int>(windowHeight * scale);
  return layout;
}

}  // namespace velk
