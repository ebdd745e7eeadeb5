// The program's icon as every program carries it: the standalone program's
// MAINICON and the expert module's ORVALEN, which the host draws beside the
// expert's name, are one picture drawn from resources/icons/orvalen.txt.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/resources.h"
#include "tests/resources/bmp_reader.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

using testing::BmpImage;
using testing::Rgb;

std::string Embedded(const char* name) {
  auto bytes = platform::FindResource(name, platform::ResourceType::Bitmap);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

TEST(ProgramIcon, EachNameIsA32By32SixteenColourPictureOnTheTransparentColour) {
  const Rgb fuchsia{0xFF, 0x00, 0xFF};
  for (const char* name : {"MAINICON", "ORVALEN"}) {
    SCOPED_TRACE(name);
    auto bytes = platform::FindResource(name, platform::ResourceType::Bitmap);
    ASSERT_TRUE(bytes.has_value());
    std::optional<BmpImage> image;
    ASSERT_NO_THROW(image.emplace(*bytes));
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->bitCount, 4);
    EXPECT_EQ(image->palette, testing::StandardColours());
    // Drawn with the bottom-left colour as the transparent one: the corners
    // are background, the middle is the picture.
    EXPECT_EQ(image->Colour(0, 31), fuchsia);
    EXPECT_EQ(image->Colour(31, 31), fuchsia);
    EXPECT_NE(image->Colour(16, 20), fuchsia);
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) drawn += image->Colour(x, y) != fuchsia;
    EXPECT_GT(drawn, 32 * 32 / 2) << "hardly an icon";
  }
  EXPECT_EQ(Embedded("MAINICON"), Embedded("ORVALEN"));
}

#ifdef ORVALEN_GLYPHGEN
TEST(ProgramIcon, IsTheGlyphToolsPictureOfItsPixelMap) {
  testing::TempDir out;
  const std::string map = std::string(ORVALEN_SOURCE_DIR) + "/resources/icons/orvalen.txt";
  const std::string command = std::string(ORVALEN_GLYPHGEN) + " --picture 32 32 '" + map + "' '" +
                              out.File("icon.bmp") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(testing::ReadFile(out.File("icon.bmp")), Embedded("ORVALEN"));
}
#endif

}  // namespace
}  // namespace orvalen
