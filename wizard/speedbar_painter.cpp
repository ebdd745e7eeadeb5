#include "wizard/speedbar_painter.h"

#include <QPainter>

#include "generator/command_table.h"
#include "platform/qt/bitmap_colours.h"

namespace orvalen::wizard {

using platform::ReplaceColour;

namespace {

// The pixels from (left, top) up to, not including, (right, bottom).
void Fill(QPainter& p, int left, int top, int right, int bottom, const QColor& colour) {
  if (right > left && bottom > top) p.fillRect(left, top, right - left, bottom - top, colour);
}

// A black and white bitmap with its black turned into `ink` and its white
// into `paper`, in one pass so that neither can take the other's pixels.
QImage InkOnPaper(const QImage& mono, const QColor& ink, const QColor& paper) {
  QImage out = mono.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if (line[x] == qRgb(0, 0, 0))
        line[x] = ink.rgba();
      else if (line[x] == qRgb(255, 255, 255))
        line[x] = paper.rgba();
    }
  }
  return out;
}

}  // namespace

SystemColours SystemColours::From(const QPalette& palette) {
  return {palette.color(QPalette::WindowText), palette.color(QPalette::Button),
          palette.color(QPalette::Dark), palette.color(QPalette::Light)};
}

void DrawButtonGlyph(const TButtonImage& holder, QPainter& canvas, int x, int y,
                     const SystemColours& colours) {
  const QPen pen = canvas.pen();
  const QBrush brush = canvas.brush();
  const int right = x + ButtonWidth, bottom = y + ButtonHeight;
  Fill(canvas, x, y, right, bottom, colours.windowFrame);
  Fill(canvas, x + 1, y + 1, right - 1, bottom - 1, colours.btnFace);
  Fill(canvas, x + 1, y + 1, right - 2, y + 2, colours.btnHighlight);
  Fill(canvas, x + 1, y + 1, x + 2, bottom - 2, colours.btnHighlight);
  Fill(canvas, x + 1, bottom - 2, right - 1, bottom - 1, colours.btnShadow);
  Fill(canvas, right - 2, y + 1, right - 1, bottom - 1, colours.btnShadow);
  canvas.setBrush(QBrush(colours.btnFace, Qt::SolidPattern));

  const QImage& bitmap = holder.Bitmap();
  const int w = holder.NumGlyphs() > 0 ? bitmap.width() / holder.NumGlyphs() : 0;
  const int h = bitmap.height();
  if (w > 0 && h > 0) {
    QImage frame = bitmap.copy(0, 0, w, h);
    frame = ReplaceColour(frame, frame.pixel(0, h - 1), canvas.brush().color());
    canvas.drawImage(x + ButtonWidth / 2 - w / 2, y + ButtonHeight / 2 - h / 2, frame);
  }
  canvas.setPen(pen);
  canvas.setBrush(brush);
}

void PaintSpeedbar(QImage& buffer, const SpeedbarList& speedbar, const CommandGlyphList& glyphs,
                   const QImage& pointer, const SystemColours& colours, const QColor& background) {
  const int W = buffer.width(), H = buffer.height();
  QPainter p(&buffer);
  // The sunken frame: an outlined, filled rectangle, a shadow along the top
  // and left edge and a highlight down the right one; none along the bottom.
  Fill(p, 1, 1, W - 1, H - 1, colours.windowFrame);
  Fill(p, 2, 2, W - 2, H - 2, background);
  Fill(p, 0, 1, 1, H, colours.btnShadow);
  Fill(p, 0, 0, W - 1, 1, colours.btnShadow);
  Fill(p, W - 1, 0, W, H, colours.btnHighlight);

  bool pointerShown = false;
  int x = kSpeedbarLeft;
  for (int i = 0; i < speedbar.SpeedbarCount(); ++i) {
    const int id = speedbar.SpeedbarItemId(i);
    if (id < 0) {
      Fill(p, x + 2, 5, x + 5, 27, colours.btnShadow);
      x += SpacerWidth;
    } else {
      const int command = CommandOfGlyph(id);
      if (command >= 0 && command < static_cast<int>(glyphs.size()))
        DrawButtonGlyph(*glyphs[static_cast<std::size_t>(command)], p, x, 4, colours);
      x += ButtonWidth - 1;
    }
    if (x + 2 * ButtonWidth > W) break;  // no room for another button
    pointerShown = true;
  }
  if (pointerShown && !pointer.isNull()) {
    // A triangle pointing up at the gap before the entry at the index, black
    // on the classic face; in the outline colour, so that a dark palette
    // does not swallow it.
    const Slot slot = speedbar.SlotRect(speedbar.InsertIndex());
    p.drawImage(slot.left - 5, slot.bottom + 2,
                InkOnPaper(pointer, colours.windowFrame, background));
  }
}

}  // namespace orvalen::wizard
