// The classic bitmaps carry their transparent colour in their bottom-left
// pixel; these turn it (or any one colour) into another, or into nothing.
#pragma once

#include <QColor>
#include <QImage>
#include <cstddef>

namespace orvalen::platform {

// A bitmap resource's bytes decoded, the null image when they are not a
// bitmap. The uncompressed bitmaps the programs carry are read by a decoder of
// their own: Qt's image reader, even with the format named, first looks through
// every image format plugin on the disk, which costs a window its first paint.
// 1-bit bitmaps come out as Format_Mono, 4- and 8-bit ones as Format_Indexed8
// with the file's colour table, deeper ones as Format_RGB32, as Qt reads them.
QImage DecodeBitmap(const unsigned char* data, std::size_t size);

// `image` with every pixel of colour `from` turned into `to` (which may be
// transparent).
QImage ReplaceColour(const QImage& image, QRgb from, const QColor& to);

// `image` with the colour of its bottom-left pixel made transparent.
QImage CornerColourTransparent(const QImage& image);

}  // namespace orvalen::platform
