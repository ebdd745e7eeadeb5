// The eighteen command glyphs as every program carries them: what the speed
// buttons of a generated form and the wizard's speedbar designer draw.
#include <gtest/gtest.h>

#include <vector>

#include "platform/resources.h"
#include "tests/resources/bmp_reader.h"

namespace orvalen {
namespace {

using testing::BmpImage;
using testing::Rgb;

constexpr int kFirstGlyph = 11100;
constexpr int kGlyphCount = 18;
constexpr int kHalf = 20;
const Rgb kGrey{0x80, 0x80, 0x80}, kSilver{0xC0, 0xC0, 0xC0}, kWhite{0xFF, 0xFF, 0xFF};

BmpImage Glyph(int id) {
  auto bytes = platform::FindBitmap(id);
  if (!bytes) throw std::runtime_error("no bitmap " + std::to_string(id));
  return BmpImage(*bytes);
}

// The picture's colours row by row, `left` the first column of the half.
std::vector<Rgb> Half(const BmpImage& image, int left) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < kHalf; ++y)
    for (int x = 0; x < kHalf; ++x) pixels.push_back(image.Colour(left + x, y));
  return pixels;
}

TEST(CommandGlyphs, EachIsAFortyByTwentySixteenColourUncompressedFileImage) {
  for (int id = kFirstGlyph; id < kFirstGlyph + kGlyphCount; ++id) {
    SCOPED_TRACE(id);
    auto bytes = platform::FindBitmap(id);
    ASSERT_TRUE(bytes.has_value());
    std::optional<BmpImage> image;
    ASSERT_NO_THROW(image.emplace(*bytes));
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 20);
    EXPECT_EQ(image->bitCount, 4);
    EXPECT_EQ(image->compression, 0u);
    EXPECT_EQ(image->palette, testing::StandardColours());
    // File header, information header, 16 palette entries, 20 rows of 20 bytes.
    EXPECT_EQ(image->dataOffset, 14u + 40u + 64u);
    EXPECT_EQ(bytes->size(), 518u);
  }
  // The command table has a nineteenth row (Recent) without a glyph.
  EXPECT_FALSE(platform::FindBitmap(kFirstGlyph - 1).has_value());
  EXPECT_FALSE(platform::FindBitmap(kFirstGlyph + kGlyphCount).has_value());
}

TEST(CommandGlyphs, BottomLeftOfBothHalvesIsTheOneTransparentColour) {
  const Rgb transparent = Glyph(kFirstGlyph).Colour(0, kHalf - 1);
  for (int id = kFirstGlyph; id < kFirstGlyph + kGlyphCount; ++id) {
    SCOPED_TRACE(id);
    BmpImage g = Glyph(id);
    EXPECT_EQ(g.Colour(0, kHalf - 1), transparent);
    EXPECT_EQ(g.Colour(kHalf, kHalf - 1), transparent);
    // The picture is drawn on that background: every corner of the face shows it.
    EXPECT_EQ(g.Colour(0, 0), transparent);
    EXPECT_EQ(g.Colour(kHalf - 1, kHalf - 1), transparent);
  }
  // A colour the pictures never need, so that no drawn pixel turns transparent.
  EXPECT_NE(transparent, kWhite);
  EXPECT_NE(transparent, kSilver);
  EXPECT_NE(transparent, (Rgb{0, 0, 0}));
}

TEST(CommandGlyphs, DisabledHalfIsAGreyEtchingOfTheFace) {
  for (int id = kFirstGlyph; id < kFirstGlyph + kGlyphCount; ++id) {
    SCOPED_TRACE(id);
    BmpImage g = Glyph(id);
    const Rgb transparent = g.Colour(0, kHalf - 1);
    EXPECT_NE(Half(g, 0), Half(g, kHalf));
    int grey = 0;
    for (int y = 0; y < kHalf; ++y) {
      for (int x = 0; x < kHalf; ++x) {
        const Rgb c = g.Colour(kHalf + x, y);
        EXPECT_TRUE(c == transparent || c == kGrey || c == kSilver || c == kWhite)
            << "colour at " << x << "," << y;
        if (c == kGrey) ++grey;
        // Every mark of the disabled look comes from the face: the pixel
        // itself or its highlight's source up and to the left is drawn there.
        if (c != transparent) {
          bool drawn = g.Colour(x, y) != transparent ||
                       (x > 0 && y > 0 && g.Colour(x - 1, y - 1) != transparent);
          EXPECT_TRUE(drawn) << "stray disabled pixel at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(grey, 10) << "the disabled look is nearly empty";
  }
}

TEST(CommandGlyphs, FacesAreEighteenDifferentPictures) {
  std::vector<std::vector<Rgb>> faces;
  for (int id = kFirstGlyph; id < kFirstGlyph + kGlyphCount; ++id) {
    BmpImage g = Glyph(id);
    faces.push_back(Half(g, 0));
    const Rgb transparent = g.Colour(0, kHalf - 1);
    int drawn = 0;
    for (int y = 0; y < kHalf; ++y)
      for (int x = 0; x < kHalf; ++x) drawn += g.Colour(x, y) != transparent;
    EXPECT_GT(drawn, 40) << id << ": hardly a picture";
  }
  for (std::size_t a = 0; a < faces.size(); ++a)
    for (std::size_t b = a + 1; b < faces.size(); ++b)
      EXPECT_NE(faces[a], faces[b]) << kFirstGlyph + a << " and " << kFirstGlyph + b;
}

}  // namespace
}  // namespace orvalen
