// SPDX-License-Identifier: MIT
#include "app/print_main_window.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include "app/print_layout.h"
#include "store/system_log.h"

namespace velk {

QPixmap CaptureClientArea(QWidget& window) {
  const QSize size = window.size();
  if (QScreen* screen = window.screen()) {
    const QPoint origin = window.mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    QPixmap picture = screen->grabWindow(0, origin.x(), origin.y(), size.width(), size.height());
    if (!picture.isNull() && picture.deviceIndependentSize().toSize() == size) return picture;
  }
  return window.grab();
}

bool PrintMainWindow(QWidget& window, QPrinter& printer, const TAppEnv& env) {
  const QPixmap picture = CaptureClientArea(window);
  QPrintDialog dialog(&printer, &window);
  dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
  if (dialog.exec() != QDialog::Accepted) return false;
  const auto fail = [&env] {
    WriteSystemLog(env, "Main: 印刷プロセス失敗");
    return false;
  };
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return fail();
  const QSize client = picture.deviceIndependentSize().toSize();
  const TPrintLayout layout =
      ComputePrintLayout(client.width(), client.height(), printer.width(), printer.height());
  QPainter painter;
  if (!painter.begin(&printer)) return fail();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRect(layout.Left, layout.Top, layout.Width, layout.Height), picture);
  if (!painter.end()) return fail();
  return true;
}

}  // namespace velk
