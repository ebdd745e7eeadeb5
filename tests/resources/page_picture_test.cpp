// The wizard's page pictures as every program carries them: the dialog draws
// each at its own size beside the pages, its bottom-left colour turned into
// the dialog's face colour.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/resources.h"
#include "tests/resources/bmp_reader.h"

namespace orvalen {
namespace {

using testing::BmpImage;
using testing::Rgb;

TEST(PagePictures, EachIsA107By72SixteenColourPictureOnTheTransparentColour) {
  const Rgb fuchsia{0xFF, 0x00, 0xFF};
  for (const char* name : {"MENUDSGN", "EXTDSGN", "SPEEDDSGN", "INFODSGN"}) {
    SCOPED_TRACE(name);
    auto bytes = platform::FindResource(name, platform::ResourceType::Bitmap);
    ASSERT_TRUE(bytes.has_value());
    std::optional<BmpImage> image;
    ASSERT_NO_THROW(image.emplace(*bytes));  // sizes, padding and offsets agree
    EXPECT_EQ(image->width, 107);
    EXPECT_EQ(image->height, 72);
    EXPECT_EQ(image->bitCount, 4);
    EXPECT_EQ(image->palette, testing::StandardColours());
    EXPECT_EQ(image->Colour(0, 71), fuchsia);
    int drawn = 0;
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 107; ++x) drawn += image->Colour(x, y) != fuchsia;
    EXPECT_GT(drawn, 107 * 72 / 3) << "hardly a picture";
  }
  // The pages without a picture have no resource: their picture box stays empty.
  for (const char* name : {"LICENCE", "VERSIONDSGN", "INFODSN"})
    EXPECT_FALSE(platform::FindResource(name, platform::ResourceType::Bitmap)) << name;
}

// The speedbar designer's insertion pointer: a black triangle pointing up on
// white, its tip the middle two of ten pixels and one pixel wider a row down.
TEST(PagePictures, SpeedPointerIsABlackTrianglePointingUpOnWhite) {
  auto bytes = platform::FindResource("SPEEDPOINTER", platform::ResourceType::Bitmap);
  ASSERT_TRUE(bytes.has_value());
  std::optional<BmpImage> image;
  ASSERT_NO_THROW(image.emplace(*bytes));
  EXPECT_EQ(image->width, 10);
  EXPECT_EQ(image->height, 5);
  EXPECT_EQ(image->bitCount, 1);
  ASSERT_EQ(image->palette, (std::vector<Rgb>{{0, 0, 0}, {0xFF, 0xFF, 0xFF}}));
  // Row y (from the top) is black from column 4 - y to column 5 + y.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(image->Raw(x, y), (x >= 4 - y && x <= 5 + y) ? 0u : 1u) << x << "," << y;
  // Bits past the tenth pixel of a row are padding and stay clear.
  for (int y = 0; y < 5; ++y) {
    const auto row = bytes->subspan(image->dataOffset + 4 * static_cast<std::size_t>(y), 4);
    EXPECT_EQ(row[1] & 0x3F, 0) << y;
    EXPECT_EQ(row[2] | row[3], 0) << y;
  }
}

}  // namespace
}  // namespace orvalen
