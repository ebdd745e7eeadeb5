#include "wizard/button_image.h"

#include "platform/qt/bitmap_colours.h"
#include "platform/resources.h"

namespace orvalen::wizard {

namespace {

QImage Decode(const std::optional<platform::Bytes>& bytes) {
  return bytes ? platform::DecodeBitmap(bytes->data(), bytes->size()) : QImage();
}

}  // namespace

void TButtonImage::SetBitmapId(std::uint16_t id) {
  if (id == bitmapId_) return;
  bitmapId_ = id;
  bitmap_ = QImage();
  decoded_ = false;
}

const QImage& TButtonImage::Bitmap() const {
  if (!decoded_) {
    bitmap_ = Decode(platform::FindBitmap(bitmapId_));
    decoded_ = true;
  }
  return bitmap_;
}

QImage LoadBitmapResource(const char* name) {
  return Decode(platform::FindResource(name, platform::ResourceType::Bitmap));
}

}  // namespace orvalen::wizard
