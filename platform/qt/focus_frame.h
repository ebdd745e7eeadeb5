// The keyboard focus drawn by the widgets that paint themselves (the
// owner-drawn rows, the speedbar, an empty list, a focused default button).
// Fusion's own focus rectangle is a faint tint that disappears on a dark
// palette and on the speedbar's picture, so these draw the classic dotted
// frame instead, in a text colour of the palette: whatever the palette, that
// colour is the one meant to be read on the background under it.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace orvalen::platform {

// A one-pixel dotted frame on the outermost pixels of `rect`. The painter's
// pen, brush and hints are as they were afterwards.
void DrawFocusFrame(QPainter& painter, const QRect& rect, const QColor& ink);

}  // namespace orvalen::platform
