#include "platform/qt/bitmap_colours.h"

#include <QBuffer>
#include <QImageReader>

namespace orvalen::platform {

QImage DecodeBitmap(const unsigned char* data, std::size_t size) {
  QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "bmp");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

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
