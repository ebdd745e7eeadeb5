// A strict reader of uncompressed BMP file images, for checking the pictures
// the build embeds: every size field must agree with the others and with the
// bytes actually present, or the reader refuses the image with the reason.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvalen::testing {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline std::uint32_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  if (at + 2 > b.size()) throw std::runtime_error("read past the end at " + std::to_string(at));
  return b[at] | (b[at + 1] << 8);
}
inline std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// 5-5-5 as a 16-bit BI_RGB pixel holds it.
inline std::uint16_t ToRgb555(Rgb c) {
  return static_cast<std::uint16_t>(((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3));
}

class BmpImage {
 public:
  // `bytes` must be exactly one file image: its file header's size is checked
  // against the span's length.
  explicit BmpImage(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
    auto fail = [](const std::string& why) { throw std::runtime_error("BMP: " + why); };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') fail("no BM file header");
    fileSize = Le32(bytes, 2);
    if (fileSize != bytes.size()) fail("file header size differs from the image's length");
    if (Le32(bytes, 6) != 0) fail("reserved fields not zero");
    dataOffset = Le32(bytes, 10);
    if (Le32(bytes, 14) != 40) fail("information header is not 40 bytes");
    width = static_cast<std::int32_t>(Le32(bytes, 18));
    height = static_cast<std::int32_t>(Le32(bytes, 22));
    if (width <= 0 || height <= 0) fail("not a bottom-up image of positive size");
    if (Le16(bytes, 26) != 1) fail("planes is not 1");
    bitCount = static_cast<int>(Le16(bytes, 28));
    compression = Le32(bytes, 30);
    if (compression != 0) fail("compressed (not BI_RGB)");
    imageSize = Le32(bytes, 34);
    colourCount = Le32(bytes, 46);
    std::uint32_t paletteSize = bitCount <= 8 ? (colourCount ? colourCount : 1u << bitCount) : 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24)
      fail("unexpected bit count " + std::to_string(bitCount));
    if (bitCount <= 8 && paletteSize > (1u << bitCount)) fail("more colours than the depth holds");
    if (bitCount > 8 && colourCount != 0) fail("a colour table on a true-colour image");
    if (dataOffset != 14 + 40 + 4 * paletteSize)
      fail("pixel offset does not follow the colour table");
    stride = ((static_cast<std::uint32_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint32_t rows = stride * static_cast<std::uint32_t>(height);
    if (imageSize != 0 && imageSize != rows) fail("image size field differs from the rows");
    if (dataOffset + rows != fileSize) fail("file size is not headers + colour table + rows");
    for (std::uint32_t i = 0; i < paletteSize; ++i) {
      const std::size_t at = 54 + 4 * i;
      palette.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
    }
  }

  // The stored value of pixel (x, y), y counted from the top: a palette index,
  // or the 16-bit word of a 16-bit image.
  std::uint32_t Raw(int x, int y) const {
    const std::size_t row = dataOffset + stride * static_cast<std::size_t>(height - 1 - y);
    switch (bitCount) {
      case 1:
        return (bytes_[row + x / 8] >> (7 - x % 8)) & 1;
      case 4:
        return (bytes_[row + x / 2] >> (x % 2 ? 0 : 4)) & 15;
      case 8:
        return bytes_[row + x];
      case 16:
        return Le16(bytes_, row + 2 * static_cast<std::size_t>(x));
      default:
        throw std::runtime_error("BMP: Raw() of a 24-bit image");
    }
  }
  Rgb Colour(int x, int y) const { return palette.at(Raw(x, y)); }

  std::uint32_t fileSize = 0, dataOffset = 0, compression = 0, imageSize = 0, colourCount = 0;
  std::int32_t width = 0, height = 0;
  int bitCount = 0;
  std::vector<Rgb> palette;

 private:
  std::span<const std::uint8_t> bytes_;
  std::uint32_t stride = 0;
};

// The standard 16-colour palette, the only colours the glyphs are drawn in.
inline const std::vector<Rgb>& StandardColours() {
  static const std::vector<Rgb> kColours = {
      {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
      {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
      {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
      {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};
  return kColours;
}

}  // namespace orvalen::testing
