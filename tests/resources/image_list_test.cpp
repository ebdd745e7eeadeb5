// The main form's ImageList object (snippet 57), read back with a reader of
// our own: the text shape the form conversion expects, the image-list stream
// inside its Bitmap data, and the pictures the menu items point at.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/snippet_library.h"
#include "platform/resources.h"
#include "tests/resources/bmp_reader.h"

namespace orvalen {
namespace {

using testing::BmpImage;
using testing::Le16;
using testing::Le32;
using testing::Rgb;

constexpr int kSize = 20;
constexpr int kImageCount = 42;
constexpr int kPerRow = 4;
constexpr std::size_t kHeaderSize = 28;

std::string Snippet57() {
  SnippetLibrary library;
  return std::string(library.Snippet(57));
}

// The bytes of the first brace block; anything but hex digits and white space
// between the braces is an error, as it is for the form conversion.
std::vector<std::uint8_t> HexBlock(const std::string& text) {
  const auto open = text.find('{'), close = text.find('}');
  if (open == std::string::npos || close == std::string::npos || close < open)
    throw std::runtime_error("no brace block");
  std::string digits;
  for (char c : text.substr(open + 1, close - open - 1)) {
    if (std::isxdigit(static_cast<unsigned char>(c)))
      digits += c;
    else if (c != ' ' && c != '\r' && c != '\n')
      throw std::runtime_error("not hex: " + std::string(1, c));
  }
  if (digits.size() % 2) throw std::runtime_error("odd number of hex digits");
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  return bytes;
}

// The stream as the common controls' image list writes it: a 28-byte header,
// then the colour image and the mask, each a BMP file image.
struct ImageListStream {
  explicit ImageListStream(std::vector<std::uint8_t> data) : bytes(std::move(data)) {
    std::span<const std::uint8_t> all(bytes);
    if (all.size() < kHeaderSize || all[0] != 'I' || all[1] != 'L')
      throw std::runtime_error("no IL header");
    version = Le16(all, 2);
    count = static_cast<std::int16_t>(Le16(all, 4));
    maxCount = static_cast<std::int16_t>(Le16(all, 6));
    grow = static_cast<std::int16_t>(Le16(all, 8));
    cx = static_cast<std::int16_t>(Le16(all, 10));
    cy = static_cast<std::int16_t>(Le16(all, 12));
    background = Le32(all, 14);
    flags = Le16(all, 18);
    for (int i = 0; i < 4; ++i) overlays[i] = static_cast<std::int16_t>(Le16(all, 20 + 2 * i));
    auto rest = all.subspan(kHeaderSize);
    colourSize = Le32(rest, 2);
    if (colourSize > rest.size()) throw std::runtime_error("colour image runs past the end");
    colour.emplace(rest.first(colourSize));
    rest = rest.subspan(colourSize);
    maskSize = Le32(rest, 2);
    if (maskSize != rest.size()) throw std::runtime_error("mask does not end the stream");
    mask.emplace(rest);
  }
  // Pixel (x, y) of image i in the strip of four images a row.
  bool Masked(int i, int x, int y) const { return mask->Raw(Column(i, x), Row(i, y)) != 0; }
  std::uint16_t Colour(int i, int x, int y) const {
    return static_cast<std::uint16_t>(colour->Raw(Column(i, x), Row(i, y)));
  }
  static int Column(int i, int x) { return (i % kPerRow) * kSize + x; }
  static int Row(int i, int y) { return (i / kPerRow) * kSize + y; }

  std::vector<std::uint8_t> bytes;
  std::uint32_t version = 0, background = 0, flags = 0, colourSize = 0, maskSize = 0;
  std::int16_t count = 0, maxCount = 0, grow = 0, cx = 0, cy = 0, overlays[4] = {};
  std::optional<BmpImage> colour, mask;
};

const ImageListStream& Stream() {
  static const ImageListStream stream(HexBlock(Snippet57()));
  return stream;
}

BmpImage Glyph(int id) {
  auto bytes = platform::FindBitmap(id);
  if (!bytes) throw std::runtime_error("no bitmap " + std::to_string(id));
  return BmpImage(*bytes);
}

// Image i shows the half of glyph `id` starting at column `left`: the glyph's
// transparent pixels are masked (and black underneath, for the masked
// drawing), every other pixel carries the glyph's colour as 5-5-5.
void ExpectImageIsGlyphHalf(int i, int id, int left) {
  SCOPED_TRACE("image " + std::to_string(i) + ", glyph " + std::to_string(id));
  const ImageListStream& s = Stream();
  const BmpImage g = Glyph(id);
  const Rgb transparent = g.Colour(0, kSize - 1);
  int mismatches = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb c = g.Colour(left + x, y);
      const bool masked = s.Masked(i, x, y);
      if (masked != (c == transparent) ||
          s.Colour(i, x, y) != (masked ? 0 : testing::ToRgb555(c))) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The menu items' ImageIndex values and the glyph each must show.
const std::map<int, int> kMenuPictures = {
    {0, 11117},  {2, 11113},  {4, 11112},  {6, 11109},  {8, 11108},  {10, 11107},
    {12, 11106}, {14, 11114}, {16, 11116}, {18, 11100}, {20, 11101}, {22, 11110},
    {24, 11104}, {26, 11105}, {28, 11102}, {30, 11103}, {32, 11111}, {34, 11115}};

TEST(ImageListSnippet, IsTheImageListObjectInTextForm) {
  const std::string text = Snippet57();
  const std::string head =
      "  object ImageList: TImageList\r\n"
      "    AllocBy = 1\r\n"
      "    Height = 20\r\n"
      "    Width = 20\r\n"
      "    Top = 100\r\n"
      "    Bitmap = {\r\n";
  ASSERT_EQ(text.substr(0, head.size()), head);
  const std::string tail = "}\r\n  end\r\n";
  ASSERT_GT(text.size(), head.size() + tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(text.find('|'), std::string::npos);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  // The data: lines of six blanks and 64 upper-case digits, the brace right
  // after the last digit.
  std::istringstream lines(text.substr(head.size(), text.size() - head.size() - tail.size()) +
                           "\r\n");
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_EQ(line.back(), '\r');
    line.pop_back();
    ASSERT_EQ(line.size(), 70u) << "line " << count;
    EXPECT_EQ(line.substr(0, 6), "      ");
    EXPECT_EQ(line.find_first_not_of("0123456789ABCDEF", 6), std::string::npos) << line;
  }
  EXPECT_EQ(count, 37984 / 32);
}

TEST(ImageListStream, HeaderDescribesFortyTwoMaskedSixteenBitImages) {
  std::optional<std::vector<std::uint8_t>> bytes;
  ASSERT_NO_THROW(bytes = HexBlock(Snippet57()));
  EXPECT_EQ(bytes->size(), 37984u);
  ASSERT_NO_THROW(Stream());
  const ImageListStream& s = Stream();
  EXPECT_EQ(s.version, 0x0101u);
  EXPECT_EQ(s.count, kImageCount);
  // Room for at least the images, at most what the strip's rows hold.
  EXPECT_GE(s.maxCount, kImageCount);
  EXPECT_LE(s.maxCount, 44);
  EXPECT_EQ(s.grow, 1);
  EXPECT_EQ(s.cx, kSize);
  EXPECT_EQ(s.cy, kSize);
  EXPECT_EQ(s.background, 0xFFFFFFFFu);  // CLR_NONE
  EXPECT_EQ(s.flags, 0x0011u);           // ILC_MASK | ILC_COLOR16
  for (auto overlay : s.overlays) EXPECT_EQ(overlay, -1);
}

TEST(ImageListStream, ColourImageAndMaskAreFourImagesWideAndElevenRowsHigh) {
  const ImageListStream& s = Stream();
  EXPECT_EQ(s.colour->width, 80);
  EXPECT_EQ(s.colour->height, 220);
  EXPECT_EQ(s.colour->bitCount, 16);
  EXPECT_EQ(s.colourSize, 35254u);  // 14 + 40 + 80 * 2 * 220
  EXPECT_EQ(s.mask->width, 80);
  EXPECT_EQ(s.mask->height, 220);
  EXPECT_EQ(s.mask->bitCount, 1);
  EXPECT_EQ(s.maskSize, 2702u);  // 14 + 40 + 8 + 12 * 220
  EXPECT_EQ(s.mask->palette, (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
  EXPECT_EQ(kHeaderSize + s.colourSize + s.maskSize, s.bytes.size());
}

TEST(ImageListStream, MaskedPixelsAreBlackAndTheSlotsPastTheLastImageEmpty) {
  const ImageListStream& s = Stream();
  for (int i = 0; i < 44; ++i) {
    int opaque = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        if (s.Masked(i, x, y))
          EXPECT_EQ(s.Colour(i, x, y), 0) << i << ": " << x << "," << y;
        else
          ++opaque;
      }
    if (i < kImageCount) {
      EXPECT_GT(opaque, 10) << "image " << i << " is empty";
      EXPECT_TRUE(s.Masked(i, 0, kSize - 1)) << "image " << i << " bottom-left";
    } else {
      EXPECT_EQ(opaque, 0) << "slot " << i;
    }
  }
}

TEST(ImageListStream, MenuPicturesAreTheCommandGlyphsAndOddIndexesTheirDisabledLook) {
  for (const auto& [index, glyph] : kMenuPictures) {
    ExpectImageIsGlyphHalf(index, glyph, 0);
    ExpectImageIsGlyphHalf(index + 1, glyph, kSize);
  }
}

// Close, Close All and Recent have no command glyph: three more pictures of
// their own, each followed by its disabled look in grey and white only.
TEST(ImageListStream, CloseCloseAllAndRecentAreNewPictures) {
  const ImageListStream& s = Stream();
  auto image = [&](int i) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) pixels.push_back(s.Masked(i, x, y) ? ~0u : s.Colour(i, x, y));
    return pixels;
  };
  const std::uint16_t grey = testing::ToRgb555({0x80, 0x80, 0x80});
  const std::uint16_t silver = testing::ToRgb555({0xC0, 0xC0, 0xC0});
  const std::uint16_t white = testing::ToRgb555({0xFF, 0xFF, 0xFF});
  for (int i : {36, 38, 40}) {
    SCOPED_TRACE(i);
    for (int other = 0; other < kImageCount; other += 2)
      if (other != i) {
        EXPECT_NE(image(i), image(other)) << "same as image " << other;
      }
    EXPECT_NE(image(i), image(i + 1));
    for (std::uint32_t p : image(i + 1))
      EXPECT_TRUE(p == ~0u || p == grey || p == silver || p == white) << std::hex << p;
  }
}

// Each menu item of the form snippets that runs a command shows that
// command's glyph; the other items point at an even index inside the list.
TEST(ImageListStream, MenuItemsOfTheFormShowTheirCommandsPicture) {
  SnippetLibrary library;
  std::map<std::string, int> commandOfHandler;
  for (int c = 0; c < kCommandCount; ++c) commandOfHandler[CommandHandler(c)] = c;
  std::set<int> checked;
  int others = 0;
  for (int n : {38, 39, 40, 41, 54}) {
    std::istringstream lines{std::string(library.Snippet(n))};
    std::string line, object;
    std::optional<int> index;
    auto close = [&] {
      if (!index) return;
      SCOPED_TRACE("snippet " + std::to_string(n) + ", " + object);
      EXPECT_EQ(*index % 2, 0);
      EXPECT_GE(*index, 0);
      EXPECT_LT(*index, kImageCount);
      index.reset();
    };
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string word, equals, value;
      words >> word >> equals >> value;
      if (word == "object" || word == "end") {
        close();
        object = equals;
      } else if (word == "ImageIndex") {
        index = std::stoi(value);
        ++others;
      } else if (word == "OnClick" && index && commandOfHandler.count(value)) {
        ExpectImageIsGlyphHalf(*index, kGlyphId + commandOfHandler[value], 0);
        checked.insert(commandOfHandler[value]);
      }
    }
    close();
  }
  if (others == 0) GTEST_SKIP() << "the menu snippets carry no image indexes yet";
  EXPECT_EQ(checked.size(), static_cast<std::size_t>(kCommandCount));
}

}  // namespace
}  // namespace orvalen
