#include "platform/qt/bitmap_colours.h"

namespace orvalen::platform {

QImage ReplaceColour(const QImage& image, QRgb from, const QColor& to) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = QColor(from).rgba();
  const QRgb replacement = to.rgba();
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (line[x] == key) line[x] = replacement;
  }
  return out;
}

QImage CornerColourTransparent(const QImage& image) {
  if (image.isNull()) return image;
  return ReplaceColour(image, image.pixel(0, image.height() - 1), Qt::transparent);
}

}  // namespace orvalen::platform
