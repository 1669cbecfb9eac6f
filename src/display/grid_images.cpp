#include "display/grid_images.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "display/display_grid.h"

namespace {

QPixmap Draw(int index) {
  QPixmap image(16, 16);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x33, 0x44, 0x55);
  switch (index) {
    case giPlusBox:
    case giMinusBox:
      painter.setPen(QPen(ink, 1));
      painter.setBrush(Qt::white);
      painter.drawRect(QRectF(3.5, 3.5, 9, 9));
      painter.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
      if (index == giPlusBox) painter.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
      break;
    case giDownArrow: {
      QPainterPath arrow;
      arrow.moveTo(4, 6);
      arrow.lineTo(12, 6);
      arrow.lineTo(8, 11);
      arrow.closeSubpath();
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(0xF0, 0xF0, 0xF0));
      painter.drawEllipse(QRectF(1, 1, 14, 14));
      painter.setBrush(ink);
      painter.drawPath(arrow);
      break;
    }
    case giPivotArrow: {
      painter.setPen(QPen(ink, 1.5));
      painter.setBrush(Qt::NoBrush);
      QPainterPath curve;
      curve.moveTo(3, 12);
      curve.quadTo(3, 3, 12, 3);
      painter.drawPath(curve);
      painter.setBrush(ink);
      painter.drawPolygon(QPolygonF({QPointF(12, 0.5), QPointF(15, 3), QPointF(12, 5.5)}));
      painter.drawPolygon(QPolygonF({QPointF(0.5, 12), QPointF(3, 15), QPointF(5.5, 12)}));
      break;
    }
    default:
      return {};
  }
  return image;
}

}  // namespace

QPixmap GridImage(int index) {
  static const std::array<QPixmap, 4> images = {Draw(0), Draw(1), Draw(2), Draw(3)};
  if (index < 0 || index >= static_cast<int>(images.size())) return {};
  return images[static_cast<size_t>(index)];
}
