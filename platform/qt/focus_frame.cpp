#include "platform/qt/focus_frame.h"

#include <QPainter>
#include <QPen>

namespace orvalen::platform {

void DrawFocusFrame(QPainter& painter, const QRect& rect, const QColor& ink) {
  if (rect.width() < 2 || rect.height() < 2) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(ink, 0, Qt::DotLine);  // cosmetic: one device pixel at any scale
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace orvalen::platform
