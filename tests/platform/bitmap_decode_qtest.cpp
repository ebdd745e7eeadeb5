// The programs' own bitmap decoder against Qt's BMP reader: the same size,
// format and colour of every pixel, for the bitmaps the programs carry and for
// made-up ones of every depth, both row orders and widths that need padding.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/bitmap_colours.h"
#include "platform/resources.h"

namespace orvalen {
namespace {

using Bytes = std::vector<unsigned char>;

void Put(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// An uncompressed BMP file of `bits` a pixel whose pixel values follow a
// pattern of x and y; `colours` palette entries (0: all the depth allows).
Bytes MakeBitmap(int width, int height, int bits, bool topDown, std::uint32_t colours = 0) {
  const std::uint32_t tableSize = bits <= 8 ? (colours ? colours : 1u << bits) : 0;
  const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4;
  const std::uint32_t pixelsAt = 14 + 40 + tableSize * 4;
  Bytes out{'B', 'M'};
  Put(out, pixelsAt + stride * static_cast<std::uint32_t>(height), 4);
  Put(out, 0, 4);
  Put(out, pixelsAt, 4);
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  Put(out, 1, 2);
  Put(out, static_cast<std::uint32_t>(bits), 2);
  for (int field = 0; field < 6; ++field) Put(out, field == 4 ? colours : 0, 4);
  for (std::uint32_t i = 0; i < tableSize; ++i) Put(out, (i * 0x3b1f07u) & 0xffffffu, 4);
  for (int row = 0; row < height; ++row) {
    Bytes line(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t value = static_cast<std::uint32_t>(x * 7 + row * 13);
      if (bits == 1) line[static_cast<std::size_t>(x / 8)] |= (value & 1) << (7 - x % 8);
      if (bits == 4)
        line[static_cast<std::size_t>(x / 2)] |= (value % tableSize) << (x % 2 ? 0 : 4);
      if (bits == 8)
        line[static_cast<std::size_t>(x)] = static_cast<unsigned char>(value % tableSize);
      if (bits == 16) {  // 5-5-5, which the programs' decoder leaves to Qt's reader
        line[static_cast<std::size_t>(x * 2)] = static_cast<unsigned char>(value * 5);
        line[static_cast<std::size_t>(x * 2 + 1)] = static_cast<unsigned char>(value & 0x7f);
      }
      if (bits >= 24)
        for (int c = 0; c < 3; ++c)
          line[static_cast<std::size_t>(x * bits / 8 + c)] =
              static_cast<unsigned char>(value * (c + 3) + static_cast<std::uint32_t>(c) * 50);
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

void ExpectAsQtReadsIt(const unsigned char* data, std::size_t size, const std::string& what) {
  const QImage ours = platform::DecodeBitmap(data, size);
  const QImage qt = QImage::fromData(data, static_cast<int>(size), "BMP");
  ASSERT_FALSE(qt.isNull()) << what;
  ASSERT_EQ(ours.size(), qt.size()) << what;
  EXPECT_EQ(ours.format(), qt.format()) << what;
  for (int y = 0; y < qt.height(); ++y)
    for (int x = 0; x < qt.width(); ++x)
      ASSERT_EQ(ours.pixel(x, y), qt.pixel(x, y)) << what << " at " << x << "," << y;
}

TEST(BitmapDecode, ReadsTheProgramsBitmapsAsQtDoes) {
  for (const char* name :
       {"MAINICON", "MENUDSGN", "EXTDSGN", "SPEEDDSGN", "INFODSGN", "SPEEDPOINTER"}) {
    auto bytes = platform::FindResource(name, platform::ResourceType::Bitmap);
    ASSERT_TRUE(bytes.has_value()) << name;
    ExpectAsQtReadsIt(bytes->data(), bytes->size(), name);
  }
  for (int id = 11100; id <= 11117; ++id) {
    auto bytes = platform::FindBitmap(id);
    ASSERT_TRUE(bytes.has_value()) << id;
    ExpectAsQtReadsIt(bytes->data(), bytes->size(), std::to_string(id));
  }
}

TEST(BitmapDecode, ReadsEveryDepthAndRowOrderAsQtDoes) {
  const struct {
    int width, height, bits;
    bool topDown;
    std::uint32_t colours;
  } cases[] = {
      {10, 5, 1, false, 0}, {33, 3, 1, true, 0},  {7, 4, 4, false, 0},  {20, 20, 4, true, 0},
      {5, 3, 4, false, 6},  {13, 6, 8, false, 0}, {3, 2, 8, true, 40},  {11, 7, 24, false, 0},
      {6, 5, 24, true, 0},  {9, 4, 32, false, 0}, {5, 3, 16, false, 0},
  };
  for (const auto& c : cases) {
    const Bytes bmp = MakeBitmap(c.width, c.height, c.bits, c.topDown, c.colours);
    ExpectAsQtReadsIt(bmp.data(), bmp.size(),
                      std::to_string(c.width) + "x" + std::to_string(c.height) + "x" +
                          std::to_string(c.bits) + (c.topDown ? " top-down" : ""));
  }
}

TEST(BitmapDecode, BytesThatAreNoBitmapGiveTheNullImage) {
  const Bytes good = MakeBitmap(8, 8, 4, false);
  Bytes noMagic = good;
  noMagic[0] = 'X';
  Bytes zeroWidth = good;
  zeroWidth[18] = 0;
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"header only", Bytes(good.begin(), good.begin() + 54)},
      {"pixels cut short", Bytes(good.begin(), good.end() - 5)},
      {"not BM", noMagic},
      {"zero width", zeroWidth},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(platform::DecodeBitmap(c.bytes.data(), c.bytes.size()).isNull()) << c.what;
}

}  // namespace
}  // namespace orvalen
