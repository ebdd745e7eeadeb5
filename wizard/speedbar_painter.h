// Drawing the speedbar designer: button faces with their glyphs (also used by
// the available-commands list), and the whole speedbar composed off-screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <memory>
#include <vector>

#include "wizard/button_image.h"
#include "wizard/core/speedbar_list.h"

class QPainter;

namespace orvalen::wizard {

// The four system colours the designer draws with, mapped to palette roles
// here and nowhere else.
struct SystemColours {
  QColor windowFrame;   // outlines
  QColor btnFace;       // button faces, and a glyph's transparent pixels
  QColor btnShadow;     // bevels' dark side, spacer bars, the area's top and left edge
  QColor btnHighlight;  // bevels' light side, the area's right edge
  static SystemColours From(const QPalette& palette);
};

using CommandGlyphList = std::vector<std::unique_ptr<TButtonImage>>;

// A raised 24 x 24 button face at (x, y) with the first frame of the holder's
// bitmap centred on it, its transparent colour (the pixel at (0, h - 1)) in
// the face colour. The painter's pen and brush are as they were afterwards.
void DrawButtonGlyph(const TButtonImage& holder, QPainter& canvas, int x, int y,
                     const SystemColours& colours);

// Composes the whole speedbar into `buffer` (the area's size): the sunken
// frame, the buttons and spacers while they fit, and the pointer under the
// insertion index. `background` is the area's own colour.
void PaintSpeedbar(QImage& buffer, const SpeedbarList& speedbar, const CommandGlyphList& glyphs,
                   const QImage& pointer, const SystemColours& colours, const QColor& background);

}  // namespace orvalen::wizard
