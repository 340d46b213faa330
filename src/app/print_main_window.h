// SPDX-License-Identifier: MIT
// Printing what the user sees: a picture of the main window's client area, scaled to the page.
#pragma once

#include <QPixmap>

#include "base/app_env.h"

class QPrinter;
class QWidget;

namespace velk {

// The client area of `window` as it is on the screen (a covering window shows in the picture);
// where the platform gives no screen pixels, the window rendered by itself.
QPixmap CaptureClientArea(QWidget& window);

// Captures the window, asks with the printer set-up dialog and prints the picture stretched to
// 90 % of the limiting page side. Cancel prints and logs nothing; a failure logs
// "Main: 印刷プロセス失敗". True when a page was printed.
bool PrintMainWindow(QWidget& window, QPrinter& printer, const TAppEnv& env);

}  // namespace velk
