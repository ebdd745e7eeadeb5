#include "platform/qt/bitmap_colours.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <cstring>
#include <optional>

namespace orvalen::platform {

namespace {

std::uint32_t Little(const unsigned char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

// The uncompressed bitmaps the programs carry (1, 4, 8, 24 or 32 bits a
// pixel, an info header of 40 bytes or more), read here without Qt's image
// machinery, whose first use looks through every image format plugin on the
// disk. Nothing when the bitmap is of another kind (compressed, another
// depth or header), the null image when the bytes are no bitmap or are cut
// short.
std::optional<QImage> DecodePlainBitmap(const unsigned char* data, std::size_t size) {
  constexpr std::size_t kFileHeader = 14;
  if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return QImage();
  const std::uint32_t pixelsAt = Little(data + 10, 4);
  const unsigned char* info = data + kFileHeader;
  const std::uint32_t infoSize = Little(info, 4);
  const auto width = static_cast<std::int32_t>(Little(info + 4, 4));
  const auto signedHeight = static_cast<std::int32_t>(Little(info + 8, 4));
  const std::uint32_t planes = Little(info + 12, 2), bits = Little(info + 14, 2);
  const std::uint32_t compression = Little(info + 16, 4);
  std::uint32_t colours = Little(info + 32, 4);
  if (infoSize < 40 || compression != 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return std::nullopt;
  if (planes != 1 || width <= 0 || width > 32768 || signedHeight == 0 || signedHeight < -32768 ||
      signedHeight > 32768)
    return QImage();
  const bool topDown = signedHeight < 0;
  const int height = topDown ? -signedHeight : signedHeight;
  if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
  if (bits > 8) colours = 0;
  const std::size_t tableAt = kFileHeader + infoSize;
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (tableAt + colours * 4 > size || pixelsAt < tableAt + colours * 4 || pixelsAt > size ||
      stride * static_cast<std::size_t>(height) > size - pixelsAt)
    return QImage();

  const QImage::Format format = bits == 1   ? QImage::Format_Mono
                                : bits <= 8 ? QImage::Format_Indexed8
                                            : QImage::Format_RGB32;
  QImage image(width, height, format);
  if (image.isNull()) return QImage();
  if (bits <= 8) {
    QList<QRgb> table(static_cast<qsizetype>(colours));
    for (std::uint32_t i = 0; i < colours; ++i) {
      const unsigned char* entry = data + tableAt + i * 4;
      table[static_cast<qsizetype>(i)] = qRgb(entry[2], entry[1], entry[0]);
    }
    image.setColorTable(table);
  }
  for (int y = 0; y < height; ++y) {
    const unsigned char* row =
        data + pixelsAt + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    uchar* line = image.scanLine(y);
    switch (bits) {
      case 1:  // Format_Mono is the file's own layout, most significant bit first
        std::memcpy(line, row, (static_cast<std::size_t>(width) + 7) / 8);
        break;
      case 4:
        for (int x = 0; x < width; ++x) {
          const unsigned char pair = row[x / 2];
          line[x] = static_cast<uchar>(x % 2 ? pair & 0x0f : pair >> 4);
        }
        break;
      case 8:
        std::memcpy(line, row, static_cast<std::size_t>(width));
        break;
      default: {
        auto* out = reinterpret_cast<QRgb*>(line);
        const std::size_t step = bits / 8;
        for (int x = 0; x < width; ++x) {
          const unsigned char* pixel = row + static_cast<std::size_t>(x) * step;
          out[x] = qRgb(pixel[2], pixel[1], pixel[0]);
        }
      }
    }
  }
  // Indexes past the table would read outside it when drawn.
  if (bits == 4 || bits == 8)
    for (int y = 0; y < height; ++y) {
      uchar* line = image.scanLine(y);
      for (int x = 0; x < width; ++x)
        if (line[x] >= colours) line[x] = 0;
    }
  return image;
}

}  // namespace

QImage DecodeBitmap(const unsigned char* data, std::size_t size) {
  if (std::optional<QImage> plain = DecodePlainBitmap(data, size)) return *plain;
  // Compressed or otherwise unusual bitmaps: Qt's own reader, named so that
  // it is asked alone.
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
