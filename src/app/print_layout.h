// SPDX-License-Identifier: MIT
// Where the picture of the main window goes on the printed page.
#pragma once

namespace velk {

// The picture's rectangle in printer pixels.
struct TPrintLayout {
  int Left;
  int Top;
  int Width;
  int Height;
  double Scale;
};

// The 64-bit float just below 0.05 (bit pattern 3FA9999999999998).
inline constexpr double kPrintMarginFactor = 0.04999999999999999;

// A window of W × H pixels on a page of PW × PH printer pixels: scale s = 0.9 × the smaller of
// PH / H and PW / W; the left margin comes from the page height and the top margin from the page
// width (PH × f and PW × f), all truncated to whole pixels.
TPrintLayout ComputePrintLayout(int windowWidth, int windowHeight, int pageWidth, int pageHeight);

}  // namespace velk
