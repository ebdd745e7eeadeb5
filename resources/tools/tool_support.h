// What the build-time tools share: reading a file whole, little-endian
// numbers, and the pieces of an uncompressed BMP file image: 4 bits per pixel
// with the standard 16-colour palette, or 1 bit per pixel in black and white.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tools {

inline bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

inline void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

struct Rgb {
  std::uint8_t r, g, b;
};

// The standard 16-colour palette, colours 0 to 15.
inline constexpr std::array<Rgb, 16> kVgaPalette = {{
    {0x00, 0x00, 0x00},  // 0 black
    {0x80, 0x00, 0x00},  // 1 maroon
    {0x00, 0x80, 0x00},  // 2 green
    {0x80, 0x80, 0x00},  // 3 olive
    {0x00, 0x00, 0x80},  // 4 navy
    {0x80, 0x00, 0x80},  // 5 purple
    {0x00, 0x80, 0x80},  // 6 teal
    {0xC0, 0xC0, 0xC0},  // 7 silver
    {0x80, 0x80, 0x80},  // 8 grey
    {0xFF, 0x00, 0x00},  // 9 red
    {0x00, 0xFF, 0x00},  // 10 lime
    {0xFF, 0xFF, 0x00},  // 11 yellow
    {0x00, 0x00, 0xFF},  // 12 blue
    {0xFF, 0x00, 0xFF},  // 13 fuchsia
    {0x00, 0xFF, 0xFF},  // 14 aqua
    {0xFF, 0xFF, 0xFF},  // 15 white
}};

// File header and information header of an uncompressed bottom-up BMP file
// image; `paletteBytes` of colour table follow them, then the rows.
inline std::string BmpHeaders(int width, int height, int bitCount, std::uint32_t paletteBytes,
                              std::uint32_t colourCount) {
  const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * bitCount + 31) / 32) * 4;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 14 + 40 + paletteBytes;
  std::string s = "BM";
  Put32(s, offset + imageSize);  // bfSize
  Put32(s, 0);                   // bfReserved1, bfReserved2
  Put32(s, offset);              // bfOffBits
  Put32(s, 40);                  // biSize
  Put32(s, static_cast<std::uint32_t>(width));
  Put32(s, static_cast<std::uint32_t>(height));
  Put16(s, 1);  // biPlanes
  Put16(s, static_cast<unsigned>(bitCount));
  Put32(s, 0);  // biCompression: BI_RGB
  Put32(s, imageSize);
  Put32(s, 0);  // biXPelsPerMeter
  Put32(s, 0);  // biYPelsPerMeter
  Put32(s, colourCount);
  Put32(s, 0);  // biClrImportant
  return s;
}

// A 4-bit image's headers and the 16-colour palette as its colour table.
inline std::string Bmp4Head(int width, int height) {
  std::string s = BmpHeaders(width, height, 4, 16 * 4, 16);
  for (const Rgb& c : kVgaPalette) {
    s += static_cast<char>(c.b);
    s += static_cast<char>(c.g);
    s += static_cast<char>(c.r);
    s += '\0';
  }
  return s;
}

// A whole 4-bit file image of any size from its rows of palette indexes, top
// row first: two pixels a byte, each row padded to a multiple of four bytes.
inline std::string Bmp4File(const std::vector<std::vector<std::uint8_t>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  const std::size_t stride = ((static_cast<std::size_t>(width) * 4 + 31) / 32) * 4;
  std::string s = Bmp4Head(width, height);
  for (int y = height - 1; y >= 0; --y) {  // bottom row first
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x)
      row[static_cast<std::size_t>(x / 2)] |= static_cast<char>(rows[y][x] << (x % 2 ? 0 : 4));
    s += row;
  }
  return s;
}

// A whole 1-bit file image from its rows of colour indexes, top row first:
// 0 is black and 1 white, the two entries of its colour table in that order.
// The leftmost pixel is a byte's high bit; each row is padded to a multiple of
// four bytes.
inline std::string Bmp1File(const std::vector<std::vector<std::uint8_t>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  const std::size_t stride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  std::string s = BmpHeaders(width, height, 1, 2 * 4, 2);
  s += std::string("\0\0\0\0\xFF\xFF\xFF\0", 8);  // black, white
  for (int y = height - 1; y >= 0; --y) {         // bottom row first
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x)
      if (rows[y][x]) row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    s += row;
  }
  return s;
}

}  // namespace tools
