// Where the Preview window opens: beside the wizard, never over it where the
// screen has room, and always on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvalen::wizard {

// The top-left corner for a window of `size` next to the dialog's frame: to
// its right, else to its left, else as far right as `available` (the
// screen's free area) allows, kept inside it.
QPoint PreviewPlace(const QRect& dialogFrame, const QSize& size, const QRect& available);

}  // namespace orvalen::wizard
