// The classic bitmaps carry their transparent colour in their bottom-left
// pixel; these turn it (or any one colour) into another, or into nothing.
#pragma once

#include <QColor>
#include <QImage>
#include <cstddef>

namespace orvalen::platform {

// A bitmap resource's bytes decoded, the null image when they are not a
// bitmap. Read by Qt's own bitmap reader alone: naming the format to QImage
// still has every image format plugin loaded and asked first, which costs the
// wizard's start more than all its pictures.
QImage DecodeBitmap(const unsigned char* data, std::size_t size);

// `image` with every pixel of colour `from` turned into `to` (which may be
// transparent).
QImage ReplaceColour(const QImage& image, QRgb from, const QColor& to);

// `image` with the colour of its bottom-left pixel made transparent.
QImage CornerColourTransparent(const QImage& image);

}  // namespace orvalen::platform
