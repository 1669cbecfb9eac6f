#include "forms/brand_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// A hexagon with three vanes, the program's mark.
void DrawMark(QPainter& painter, QPointF centre, double radius) {
  QPainterPath hexagon;
  for (int i = 0; i < 6; ++i) {
    const double angle = M_PI / 3 * i + M_PI / 6;
    const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    i == 0 ? hexagon.moveTo(point) : hexagon.lineTo(point);
  }
  hexagon.closeSubpath();
  painter.setPen(QPen(QColor(255, 255, 255, 220), radius / 10));
  painter.setBrush(QColor(255, 255, 255, 40));
  painter.drawPath(hexagon);
  for (int i = 0; i < 3; ++i) {
    const double angle = 2 * M_PI / 3 * i - M_PI / 2;
    QPainterPath vane;
    vane.moveTo(centre);
    vane.quadTo(QPointF(centre.x() + radius * 0.9 * std::cos(angle - 0.5),
                        centre.y() + radius * 0.9 * std::sin(angle - 0.5)),
                QPointF(centre.x() + radius * 0.8 * std::cos(angle),
                        centre.y() + radius * 0.8 * std::sin(angle)));
    vane.closeSubpath();
    painter.setBrush(QColor(255, 210, 90));
    painter.setPen(Qt::NoPen);
    painter.drawPath(vane);
  }
}

}  // namespace

QPixmap BrandPicture(int width, int height, const QString& caption) {
  QPixmap picture(width, height);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient gradient(0, 0, width, height);
  gradient.setColorAt(0, QColor(0x1F, 0x3B, 0x63));
  gradient.setColorAt(1, QColor(0x3A, 0x7C, 0xA5));
  painter.fillRect(picture.rect(), gradient);
  DrawMark(painter, QPointF(width / 2.0, height * 0.36), std::min(width, height) * 0.18);

  QFont title = painter.font();
  title.setPointSize(26);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, static_cast<int>(height * 0.58), width, 44), Qt::AlignCenter, "Hexvane");
  QFont small = painter.font();
  small.setPointSize(10);
  small.setBold(false);
  painter.setFont(small);
  painter.setPen(QColor(230, 238, 246));
  painter.drawText(QRect(0, static_cast<int>(height * 0.58) + 46, width, 24), Qt::AlignCenter,
                   caption);
  return picture;
}
