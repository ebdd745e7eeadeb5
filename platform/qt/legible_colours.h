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

// Every label under `root` whose style sheet fixes its colour ("color:
// #RRGGBB") gets the legible colour for `root`'s palette: 4.5 to 1 for
// regular text, 3 to 1 for bold. The form's colour is remembered on the
// label, so calling this again after a palette change starts from it.
void KeepFixedColoursLegible(QWidget& root);

}  // namespace orvalen::platform
