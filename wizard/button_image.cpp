#include "wizard/button_image.h"

#include "platform/resources.h"

namespace orvalen::wizard {

namespace {

QImage Decode(const std::optional<platform::Bytes>& bytes) {
  QImage image;
  if (bytes) image.loadFromData(bytes->data(), static_cast<int>(bytes->size()), "BMP");
  return image;
}

}  // namespace

void TButtonImage::SetBitmapId(std::uint16_t id) {
  if (id == bitmapId_) return;
  bitmapId_ = id;
  bitmap_ = Decode(platform::FindBitmap(id));
}

QImage LoadBitmapResource(const char* name) {
  return Decode(platform::FindResource(name, platform::ResourceType::Bitmap));
}

}  // namespace orvalen::wizard
