// The classic bitmaps carry their transparent colour in their bottom-left
// pixel; these turn it (or any one colour) into another, or into nothing.
#pragma once

#include <QColor>
#include <QImage>

namespace orvalen::platform {

// `image` with every pixel of colour `from` turned into `to` (which may be
// transparent).
QImage ReplaceColour(const QImage& image, QRgb from, const QColor& to);

// `image` with the colour of its bottom-left pixel made transparent.
QImage CornerColourTransparent(const QImage& image);

}  // namespace orvalen::platform
