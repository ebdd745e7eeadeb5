// The forms fix a few texts' colours (the red mail and web links, the blue
// hint and about-box links). Each keeps its colour while it reads on the
// dialog's background; on a palette where it would not, such as blue on a
// dark face, it is mixed towards the palette's own text colour until it does.
#pragma once

#include <QColor>

class QWidget;

namespace orvalen::platform {

// The contrast ratio of two colours' relative luminances, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted`, or the first mix of it with `text` in steps of a tenth that
// reaches `minimum` contrast on `background`; `text` itself if none does.
QColor LegibleOn(const QColor& wanted, const QColor& background, const QColor& text,
                 double minimum);

// Every label under `root` whose form fixes its text colour (the property
// "orvalenFormColour", a colour) gets the legible colour for `root`'s palette:
// 4.5 to 1 for regular text, 3 to 1 for bold, always from the form's colour.
// It is set in the label's palette, not by a style sheet: the first style
// sheet costs the dialog's start several milliseconds.
void KeepFixedColoursLegible(QWidget& root);

}  // namespace orvalen::platform
