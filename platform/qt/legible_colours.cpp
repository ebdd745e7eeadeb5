#include "platform/qt/legible_colours.h"

#include <QLabel>
#include <QPalette>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace orvalen::platform {

namespace {

constexpr char kFormColour[] = "orvalenFormColour";

double Luminance(const QColor& colour) {
  auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor LegibleOn(const QColor& wanted, const QColor& background, const QColor& text,
                 double minimum) {
  for (int step = 0; step <= 10; ++step) {
    const double t = step / 10.0;
    const QColor mixed = QColor::fromRgbF(
        static_cast<float>(wanted.redF() + (text.redF() - wanted.redF()) * t),
        static_cast<float>(wanted.greenF() + (text.greenF() - wanted.greenF()) * t),
        static_cast<float>(wanted.blueF() + (text.blueF() - wanted.blueF()) * t));
    if (ContrastRatio(mixed, background) >= minimum) return mixed.toRgb();
  }
  return text;
}

void KeepFixedColoursLegible(QWidget& root) {
  const QColor background = root.palette().color(QPalette::Window);
  const QColor text = root.palette().color(QPalette::WindowText);
  for (QLabel* label : root.findChildren<QLabel*>()) {
    const QVariant form = label->property(kFormColour);
    if (!form.isValid()) continue;
    const double minimum = label->font().bold() ? 3.0 : 4.5;
    const QColor colour = LegibleOn(form.value<QColor>(), background, text, minimum);
    if (label->palette().color(QPalette::WindowText) == colour &&
        label->palette().isBrushSet(QPalette::Active, QPalette::WindowText))
      continue;
    // Only the text colour is the label's own; the rest follows the dialog.
    QPalette palette;
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
  }
}

}  // namespace orvalen::platform
