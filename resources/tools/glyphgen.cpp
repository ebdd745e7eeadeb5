// Turns the text pixel maps under resources/glyphs/ into the pictures every
// program carries:
//   - one BMP file per command glyph (11100.bmp ... 11117.bmp): 40 x 20 pixels,
//     4 bits per pixel, the 16-colour palette, uncompressed; the face on the
//     left, its disabled look on the right;
//   - the main form's image list object, snippet 57 of the template, with its
//     image data in the stream format the common controls' image list writes.
//
//   glyphgen OUTDIR MAP...   (18 command maps in command order, then the maps
//                             of Close, Close All and Recent)
//   glyphgen --picture WIDTH HEIGHT MAP FILE
//                            one picture of any size drawn in the same legend,
//                            as a 4-bit BMP file (the wizard's page pictures)
//   glyphgen --mono WIDTH HEIGHT MAP FILE
//                            a black and white picture drawn in the legend's
//                            'k' and 'w' only, as a 1-bit BMP file (the
//                            speedbar designer's insertion pointer)
//
// The output depends on nothing but the maps: the same maps give the same
// bytes on every build.
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tool_support.h"

namespace {

using tools::Put16;
using tools::Put32;

constexpr int kSize = 20;  // one picture is 20 x 20 pixels
constexpr int kCommandCount = 18;
constexpr int kExtraCount = 3;  // Close, Close All, Recent
constexpr int kFirstGlyphId = 11100;

// The one character per colour of the 16-colour palette (colours 0 to 15)
// that the pixel maps use; "." is fuchsia, the transparent colour. The legend
// is repeated in resources/glyphs/README.md.
constexpr char kLegend[] = "krgonptsdRGYB.Cw";
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kTransparent = 13;
constexpr std::uint8_t kGrey = 8;
constexpr std::uint8_t kWhite = 15;

// A picture as rows of palette indexes, row 0 at the top.
using Picture = std::vector<std::vector<std::uint8_t>>;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string ReadText(const std::string& path) {
  std::string text;
  if (!tools::ReadFile(path, text)) throw Failure(path + ": cannot read");
  return text;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw Failure(path + ": cannot write");
}

std::uint8_t ColourIndex(char key) {
  for (std::size_t i = 0; i < tools::kVgaPalette.size(); ++i) {
    if (kLegend[i] == key) return static_cast<std::uint8_t>(i);
  }
  return 0xFF;
}

// Dark colours are the ones a disabled picture keeps as its etched outline;
// the light ones (silver, aqua, yellow, lime, white) fade into the button.
bool IsInk(std::uint8_t index) {
  if (index == kTransparent) return false;
  const tools::Rgb& c = tools::kVgaPalette[index];
  return 299 * c.r + 587 * c.g + 114 * c.b < 140 * 1000;
}

// A map is `height` lines of `width` legend characters, or of the `allowed`
// part of the legend; lines starting with '#' and empty lines are comments.
// Anything else is refused with its line number, so that a slip in the art
// never shifts pixels silently.
Picture ReadPixelMap(const std::string& path, int width, int height,
                     std::string_view allowed = kLegend) {
  std::istringstream lines(ReadText(path));
  Picture picture;
  int number = 0;
  std::string line;
  const std::string w = std::to_string(width), h = std::to_string(height);
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::string where = path + ":" + std::to_string(number) + ": ";
    if (static_cast<int>(picture.size()) == height)
      throw Failure(where + "more than " + h + " pixel rows");
    if (line.size() != static_cast<std::size_t>(width))
      throw Failure(where + "a pixel row must be " + w + " characters");
    std::vector<std::uint8_t> row;
    for (char key : line) {
      std::uint8_t index = ColourIndex(key);
      if (index == 0xFF) throw Failure(where + "'" + key + "' is not in the legend");
      if (allowed.find(key) == std::string_view::npos)
        throw Failure(where + "'" + key + "' is not one of \"" + std::string(allowed) + "\"");
      row.push_back(index);
    }
    picture.push_back(std::move(row));
  }
  if (static_cast<int>(picture.size()) != height)
    throw Failure(path + ": expected " + h + " pixel rows, found " +
                  std::to_string(picture.size()));
  return picture;
}

// Buttons, the image list and the wizard's picture box take the bottom-left
// pixel as the transparent colour, so it must be the background.
Picture ReadTransparentMap(const std::string& path, int width, int height) {
  Picture picture = ReadPixelMap(path, width, height);
  if (picture.back()[0] != kTransparent)
    throw Failure(path + ": the bottom-left pixel must be the transparent colour '.'");
  return picture;
}

// A command picture: 20 x 20 with at least one dark pixel for its disabled look.
Picture ReadGlyphMap(const std::string& path) {
  Picture picture = ReadTransparentMap(path, kSize, kSize);
  bool anyInk = false;
  for (const auto& r : picture)
    for (auto p : r) anyInk = anyInk || IsInk(p);
  if (!anyInk) throw Failure(path + ": no dark pixel, the disabled look would be empty");
  return picture;
}

// The disabled look of a face: its dark pixels etched into the button, a grey
// line with a white highlight one pixel below and to the right; everything
// else transparent.
Picture Greyed(const Picture& face) {
  Picture out(kSize, std::vector<std::uint8_t>(kSize, kTransparent));
  for (int y = 0; y + 1 < kSize; ++y)
    for (int x = 0; x + 1 < kSize; ++x)
      if (IsInk(face[y][x])) out[y + 1][x + 1] = kWhite;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (IsInk(face[y][x])) out[y][x] = kGrey;
  return out;
}

// A command glyph: face and disabled look side by side, 4 bits per pixel.
std::string GlyphBmp(const Picture& face) {
  Picture both = face;
  const Picture greyed = Greyed(face);
  for (int y = 0; y < kSize; ++y) both[y].insert(both[y].end(), greyed[y].begin(), greyed[y].end());
  return tools::Bmp4File(both);
}

// ---- The main form's image list --------------------------------------------

constexpr int kImageCount = 42;
constexpr int kImagesPerRow = 4;  // the image list keeps four images a row
constexpr int kGrow = 1;          // AllocBy
constexpr int kStripRows = (kImageCount + kImagesPerRow - 1) / kImagesPerRow;

// Which picture each even image index shows: the menu items' ImageIndex
// values in the form snippets point here. Values 0..17 are command indexes,
// 18..20 the extra pictures Close, Close All and Recent.
constexpr std::array<int, kImageCount / 2> kEvenImages = {
    17,  // 0  About
    13,  // 2  Arrange All
    12,  // 4  Cascade
    9,   // 6  Copy
    8,   // 8  Cut
    7,   // 10 Undo
    6,   // 12 Exit
    14,  // 14 Help Contents
    16,  // 16 How to Use Help
    0,   // 18 New
    1,   // 20 Open
    10,  // 22 Paste
    4,   // 24 Print
    5,   // 26 Print Setup
    2,   // 28 Save
    3,   // 30 Save As
    11,  // 32 Tile
    15,  // 34 Search
    18,  // 36 Close
    19,  // 38 Close All
    20,  // 40 Recent
};

// 16 bits per pixel, 5-5-5. Transparent pixels are black in the colour
// image, because the list draws a masked image by clearing the masked area
// and then OR-ing the colour image over it.
std::uint16_t Rgb555(std::uint8_t index) {
  if (index == kTransparent) return 0;
  const tools::Rgb& c = tools::kVgaPalette[index];
  return static_cast<std::uint16_t>(((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3));
}

// Image 2k is the picture of kEvenImages[k]; no menu item points at an odd
// index, so image 2k + 1 holds the disabled look of the same picture, the
// pair a speed button's two glyphs would use. The two slots past image 41
// that complete the last row of the strip stay empty (black, fully masked).
std::vector<Picture> ImageListPictures(const std::vector<Picture>& sources) {
  std::vector<Picture> images;
  for (int source : kEvenImages) {
    images.push_back(sources[static_cast<std::size_t>(source)]);
    images.push_back(Greyed(sources[static_cast<std::size_t>(source)]));
  }
  return images;
}

// Colour of pixel (x, y) of the strip, or the transparent colour outside the images.
std::uint8_t StripPixel(const std::vector<Picture>& images, int x, int y) {
  const std::size_t image = static_cast<std::size_t>((y / kSize) * kImagesPerRow + x / kSize);
  if (image >= images.size()) return kTransparent;
  return images[image][y % kSize][x % kSize];
}

std::string ColourStrip(const std::vector<Picture>& images) {
  const int width = kImagesPerRow * kSize, height = kStripRows * kSize;
  std::string s = tools::BmpHeaders(width, height, 16, 0, 0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) Put16(s, Rgb555(StripPixel(images, x, y)));
  return s;  // 160 bytes a row: no padding needed
}

// The mask: a set bit (white) where the image is transparent.
std::string MaskStrip(const std::vector<Picture>& images) {
  const int width = kImagesPerRow * kSize, height = kStripRows * kSize;
  Picture mask(static_cast<std::size_t>(height), std::vector<std::uint8_t>(width));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) mask[y][x] = StripPixel(images, x, y) == kTransparent;
  return tools::Bmp1File(mask);
}

// The 28-byte header of the image-list stream, then the colour and mask images.
std::string ImageListStream(const std::vector<Picture>& images) {
  std::string s = "IL";
  Put16(s, 0x0101);                              // version
  Put16(s, kImageCount);                         // images in the list
  Put16(s, kImageCount + kGrow);                 // room: the count plus one grow step
  Put16(s, kGrow);                               // grow by
  Put16(s, kSize);                               // cx
  Put16(s, kSize);                               // cy
  Put32(s, 0xFFFFFFFF);                          // background CLR_NONE
  Put16(s, 0x0001 | 0x0010);                     // ILC_MASK | ILC_COLOR16
  for (int i = 0; i < 4; ++i) Put16(s, 0xFFFF);  // no overlay images
  s += ColourStrip(images);
  s += MaskStrip(images);
  return s;
}

// The ImageList object as the main form's text form holds it: binary data in
// braces, 32 bytes (64 digits) a line, the closing brace after the last digit.
std::string ImageListSnippet(const std::string& data) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string s =
      "  object ImageList: TImageList\r\n"
      "    AllocBy = 1\r\n"
      "    Height = 20\r\n"
      "    Width = 20\r\n"
      "    Top = 100\r\n"
      "    Bitmap = {";
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) s += "\r\n      ";
    const auto byte = static_cast<unsigned char>(data[i]);
    s += kDigits[byte >> 4];
    s += kDigits[byte & 15];
  }
  s += "}\r\n  end\r\n";
  return s;
}

int Dimension(const std::string& text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 4096)
    throw Failure("'" + text + "' is not a picture dimension");
  return value;
}

// glyphgen --picture WIDTH HEIGHT MAP FILE
std::string ColourPicture(const std::string& map, int width, int height) {
  return tools::Bmp4File(ReadTransparentMap(map, width, height));
}

// glyphgen --mono WIDTH HEIGHT MAP FILE: black and white only, and not blank,
// since an all-white picture on a white background draws nothing.
std::string MonoPicture(const std::string& map, int width, int height) {
  Picture bits = ReadPixelMap(map, width, height, "kw");
  bool anyBlack = false;
  for (auto& row : bits)
    for (auto& p : row) {
      anyBlack = anyBlack || p == kBlack;
      p = static_cast<std::uint8_t>(p != kBlack);  // colour table: 0 black, 1 white
    }
  if (!anyBlack) throw Failure(map + ": no black pixel, the picture would be blank");
  return tools::Bmp1File(bits);
}

// One picture from WIDTH HEIGHT MAP FILE, written only once it is drawn whole.
int DrawPicture(std::string (*draw)(const std::string&, int, int), char** args) {
  try {
    WriteBytes(args[3], draw(args[2], Dimension(args[0]), Dimension(args[1])));
  } catch (const Failure& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (auto [mode, draw] :
       {std::pair{"--picture", &ColourPicture}, std::pair{"--mono", &MonoPicture}}) {
    if (argc < 2 || std::string(argv[1]) != mode) continue;
    if (argc != 6) {
      std::cerr << "usage: glyphgen " << mode << " WIDTH HEIGHT MAP FILE\n";
      return 2;
    }
    return DrawPicture(draw, argv + 2);
  }
  if (argc != 2 + kCommandCount + kExtraCount) {
    std::cerr << "usage: glyphgen OUTDIR MAP00 ... MAP17 CLOSE CLOSEALL RECENT\n";
    return 2;
  }
  try {
    const std::string outDir = argv[1];
    std::vector<Picture> pictures;
    for (int i = 2; i < argc; ++i) pictures.push_back(ReadGlyphMap(argv[i]));
    for (int c = 0; c < kCommandCount; ++c)
      WriteBytes(outDir + "/" + std::to_string(kFirstGlyphId + c) + ".bmp",
                 GlyphBmp(pictures[static_cast<std::size_t>(c)]));
    WriteBytes(outDir + "/57-form-image-list.txt",
               ImageListSnippet(ImageListStream(ImageListPictures(pictures))));
  } catch (const Failure& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
