#include "wizard/preview_placement.h"

#include <algorithm>

namespace orvalen::wizard {

namespace {
constexpr int kGap = 8;  // between the dialog's frame and the Preview's
}

QPoint PreviewPlace(const QRect& dialogFrame, const QSize& size, const QRect& available) {
  QRect place(dialogFrame.topRight() + QPoint(kGap, 0), size);
  if (!available.contains(place)) place.moveRight(dialogFrame.left() - kGap);
  if (!available.contains(place)) {
    place.moveRight(available.right());
    place.moveLeft(std::max(place.left(), available.left()));
    place.moveBottom(std::min(place.bottom(), available.bottom()));
    place.moveTop(std::max(place.top(), available.top()));
  }
  return place.topLeft();
}

}  // namespace orvalen::wizard
