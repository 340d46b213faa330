// SPDX-License-Identifier: MIT
#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace velk {
namespace {

// A greenhouse: a gabled frame with glazing bars over a strip of green.
void DrawGreenhouse(QPainter& p, const QRectF& r) {
  const double w = r.width(), h = r.height();
  QPainterPath house;
  house.moveTo(r.left() + w * 0.1, r.bottom());
  house.lineTo(r.left() + w * 0.1, r.top() + h * 0.45);
  house.lineTo(r.left() + w * 0.5, r.top() + h * 0.1);
  house.lineTo(r.left() + w * 0.9, r.top() + h * 0.45);
  house.lineTo(r.left() + w * 0.9, r.bottom());
  house.closeSubpath();
  p.setPen(QPen(QColor(40, 90, 60), 2));
  p.setBrush(QColor(210, 240, 250, 200));
  p.drawPath(house);
  p.setPen(QPen(QColor(40, 90, 60), 1));
  for (int i = 1; i < 4; ++i) {
    const double x = r.left() + w * (0.1 + 0.2 * i);
    p.drawLine(QPointF(x, r.bottom()),
               QPointF(x, r.top() + h * (0.45 - 0.35 * (i == 2 ? 1 : 0.5))));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 170, 70));
  for (int i = 0; i < 6; ++i) {
    const double x = r.left() + w * (0.17 + 0.13 * i);
    p.drawEllipse(QPointF(x, r.bottom() - h * 0.08), w * 0.05, h * 0.08);
  }
}

}  // namespace

QPixmap DrawLogo(int width, int height) {
  QPixmap pm(width, height);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  DrawGreenhouse(p, QRectF(4, 6, height * 0.9, height * 0.85));
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(height / 4);
  p.setFont(f);
  p.setPen(QColor(30, 100, 60));
  p.drawText(QRectF(height * 0.9 + 6, 0, width - height * 0.9 - 6, height * 0.6),
             Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("VELK"));
  f.setBold(false);
  f.setPixelSize(height / 8);
  p.setFont(f);
  p.setPen(QColor(80, 80, 80));
  const QRectF caption(height * 0.9 + 6, height * 0.62, width - height * 0.9 - 8, height * 0.3);
  p.drawText(caption, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("監視・解析"));
  return pm;
}

QPixmap DrawSplashPicture(int width, int height) {
  QPixmap pm(width, height);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(120, 190, 240));
  sky.setColorAt(0.7, QColor(220, 240, 250));
  sky.setColorAt(1, QColor(130, 190, 90));
  p.fillRect(pm.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 120));
  p.drawEllipse(QPointF(width * 0.85, height * 0.2), height * 0.09, height * 0.09);
  DrawGreenhouse(p, QRectF(width * 0.05, height * 0.3, width * 0.35, height * 0.62));
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(height / 4);
  p.setFont(f);
  p.setPen(QColor(20, 80, 50));
  p.drawText(QRectF(width * 0.45, height * 0.25, width * 0.5, height * 0.35), Qt::AlignLeft,
             QStringLiteral("UECS VELK"));
  f.setBold(false);
  f.setPixelSize(height / 12);
  p.setFont(f);
  p.drawText(QRectF(width * 0.45, height * 0.58, width * 0.55, height * 0.2), Qt::AlignLeft,
             QStringLiteral("UECS用　監視・解析ソフトウェア"));
  return pm;
}

QImage DrawAppIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
  QLinearGradient sky(0, tile.top(), 0, tile.bottom());
  sky.setColorAt(0, QColor(110, 185, 240));
  sky.setColorAt(0.68, QColor(225, 243, 252));
  sky.setColorAt(0.7, QColor(120, 185, 85));
  sky.setColorAt(1, QColor(80, 150, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(tile, s * 0.18, s * 0.18);
  p.setBrush(QColor(255, 205, 70));
  p.drawEllipse(QPointF(s * 0.74, s * 0.24), s * 0.11, s * 0.11);
  // Small sizes get a thicker frame so the house still reads at 16 px.
  const double pen = std::max(1.0, s / 40);
  const QRectF house(s * 0.1, s * 0.3, s * 0.8, s * 0.56);
  QPainterPath frame;
  frame.moveTo(house.left() + house.width() * 0.08, house.bottom());
  frame.lineTo(house.left() + house.width() * 0.08, house.top() + house.height() * 0.4);
  frame.lineTo(house.center().x(), house.top());
  frame.lineTo(house.right() - house.width() * 0.08, house.top() + house.height() * 0.4);
  frame.lineTo(house.right() - house.width() * 0.08, house.bottom());
  frame.closeSubpath();
  p.setPen(QPen(QColor(30, 80, 55), pen * 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(235, 250, 255, 210));
  p.drawPath(frame);
  if (size >= 32) {
    p.setPen(QPen(QColor(30, 80, 55), pen * 0.8));
    for (int i = 1; i < 4; ++i) {
      const double x = house.left() + house.width() * (0.08 + 0.21 * i);
      const double roof = house.top() + house.height() * (i == 2 ? 0.0 : 0.2);
      p.drawLine(QPointF(x, house.bottom()), QPointF(x, roof));
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 160, 60));
  const int plants = size >= 32 ? 5 : 3;
  for (int i = 0; i < plants; ++i) {
    const double x = house.left() + house.width() * (0.2 + 0.6 * i / (plants - 1));
    p.drawEllipse(QPointF(x, house.bottom() - s * 0.06), s * 0.055, s * 0.07);
  }
  return img;
}

QPixmap DrawHeaderIcon(THeaderIcon icon, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(2, 2, size - 4, size - 4);
  switch (icon) {
    case THeaderIcon::Clock:
      p.setPen(QPen(QColor(40, 80, 140), 2));
      p.setBrush(Qt::white);
      p.drawEllipse(r);
      p.drawLine(r.center(), QPointF(r.center().x(), r.top() + 4));
      p.drawLine(r.center(), QPointF(r.right() - 5, r.center().y()));
      break;
    case THeaderIcon::Sprout:
      p.setPen(QPen(QColor(60, 120, 40), 2));
      p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), r.center().y()));
      p.setBrush(QColor(110, 190, 70));
      p.drawEllipse(QRectF(r.left(), r.top() + 3, r.width() / 2, r.height() / 3));
      p.drawEllipse(QRectF(r.center().x(), r.top() + 1, r.width() / 2, r.height() / 3));
      break;
    case THeaderIcon::Sunrise:
    case THeaderIcon::Sunset: {
      const bool rise = icon == THeaderIcon::Sunrise;
      p.setPen(Qt::NoPen);
      p.setBrush(rise ? QColor(255, 170, 40) : QColor(230, 90, 40));
      p.drawPie(
          QRectF(r.left() + 2, r.center().y() - r.height() / 3, r.width() - 4, r.height() * 2 / 3),
          0, 180 * 16);
      p.setPen(QPen(QColor(90, 90, 90), 2));
      p.drawLine(QPointF(r.left(), r.center().y() + 1), QPointF(r.right(), r.center().y() + 1));
      const double x = r.center().x();
      const double y0 = r.bottom() - 1, y1 = r.center().y() + 5;
      p.drawLine(QPointF(x, rise ? y0 : y1), QPointF(x, rise ? y1 : y0));
      break;
    }
  }
  return pm;
}

}  // namespace velk
