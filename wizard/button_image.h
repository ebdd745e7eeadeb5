// A command's glyph holder: the bitmap of one command glyph, two frames side
// by side (the glyph and its disabled look), shared by the available-commands
// list and every speedbar button of that command.
#pragma once

#include <QImage>
#include <cstdint>

namespace orvalen::wizard {

class TButtonImage {
 public:
  std::uint16_t BitmapId() const { return bitmapId_; }
  // Decoded when first drawn: the wizard opens on a page that shows no glyph.
  const QImage& Bitmap() const;
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count) { numGlyphs_ = count; }
  // The embedded bitmap with that id; a missing one leaves the bitmap empty.
  void SetBitmapId(std::uint16_t id);

 private:
  std::uint16_t bitmapId_ = 0;
  mutable QImage bitmap_;
  mutable bool decoded_ = true;
  int numGlyphs_ = 1;
};

// A bitmap resource by name, or an empty image.
QImage LoadBitmapResource(const char* name);

}  // namespace orvalen::wizard
