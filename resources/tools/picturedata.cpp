// Keeps the about box's program picture reproducible: the picture is drawn as
// a text map of 32 lines of 32 colour digits (0 to F, the standard 16-colour
// palette), and this tool turns the map into the form text's "Picture.Data"
// property: the graphic class "TBitmap" as a short string, the BMP file
// image's length in 4 bytes little-endian, then the 4-bit BMP file image.
//   picturedata MAP                 print the property lines
//   picturedata --check MAP FORM    fail unless FORM holds exactly those lines
//   picturedata --update MAP FORM   replace the property lines in FORM
//   picturedata --bmp MAP FILE      write the picture as a BMP file (the
//                                   dialogs' own copy of the picture)
// Lines of a map that start with '#' and empty lines are skipped.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tool_support.h"

namespace {

constexpr int kSide = 32;
constexpr int kHexDigitsPerLine = 64;
const char* const kPropertyIndent = "      ";
const char* const kDataIndent = "        ";
const char* const kPropertyStart = "Picture.Data = {";

int ColourIndex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The map's rows, top first, each as colour indexes; false with a message when malformed.
bool ParseMap(const std::string& path, const std::string& text,
              std::vector<std::vector<int>>& rows) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.size() != kSide) {
      std::cerr << path << ":" << number << ": a row holds " << kSide << " colour digits\n";
      return false;
    }
    std::vector<int> row;
    for (char c : line) {
      int index = ColourIndex(c);
      if (index < 0) {
        std::cerr << path << ":" << number << ": '" << c << "' is not a colour digit 0 to F\n";
        return false;
      }
      row.push_back(index);
    }
    rows.push_back(std::move(row));
  }
  if (rows.size() != kSide) {
    std::cerr << path << ": the picture has " << rows.size() << " rows, not " << kSide << "\n";
    return false;
  }
  return true;
}

// A complete BMP file image: headers, palette, rows bottom up, two pixels a byte.
std::string BitmapFile(const std::vector<std::vector<int>>& rows) {
  std::string bmp = tools::Bmp4Head(kSide, kSide);
  for (int y = kSide - 1; y >= 0; --y) {
    for (int x = 0; x < kSide; x += 2) bmp += static_cast<char>((rows[y][x] << 4) | rows[y][x + 1]);
  }
  return bmp;
}

// The property lines, each ending in CR LF, as the form text holds them.
std::string PropertyLines(const std::string& bmp) {
  const std::string className = "TBitmap";
  std::string data(1, static_cast<char>(className.size()));
  data += className;
  tools::Put32(data, static_cast<std::uint32_t>(bmp.size()));
  data += bmp;

  static const char kHex[] = "0123456789ABCDEF";
  std::string out = std::string(kPropertyIndent) + kPropertyStart;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % (kHexDigitsPerLine / 2) == 0) out += std::string("\r\n") + kDataIndent;
    auto byte = static_cast<unsigned char>(data[i]);
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out + "}\r\n";
}

// Where the property lines stand in a form text: from the start of the line
// that opens them to the end of the line that closes the braces.
bool FindProperty(const std::string& form, std::size_t& begin, std::size_t& end) {
  std::size_t start = form.find(kPropertyStart);
  if (start == std::string::npos || form.find(kPropertyStart, start + 1) != std::string::npos)
    return false;
  begin = form.rfind('\n', start);
  begin = begin == std::string::npos ? 0 : begin + 1;
  std::size_t brace = form.find('}', start + std::string(kPropertyStart).size());
  if (brace == std::string::npos) return false;
  end = form.find('\n', brace);
  end = end == std::string::npos ? form.size() : end + 1;
  return true;
}

int Usage() {
  std::cerr << "usage: picturedata MAP | picturedata --check MAP FORM | "
               "picturedata --update MAP FORM | picturedata --bmp MAP FILE\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string mode;
  if (!args.empty() && (args[0] == "--check" || args[0] == "--update" || args[0] == "--bmp")) {
    mode = args[0];
    args.erase(args.begin());
    if (args.size() != 2) return Usage();
  } else if (args.size() != 1) {
    return Usage();
  }

  std::string mapText;
  if (!tools::ReadFile(args[0], mapText)) {
    std::cerr << args[0] << ": cannot read\n";
    return 1;
  }
  std::vector<std::vector<int>> rows;
  if (!ParseMap(args[0], mapText, rows)) return 1;
  if (mode == "--bmp") {
    std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
    out << BitmapFile(rows);
    out.close();
    if (out) return 0;
    std::cerr << args[1] << ": cannot write\n";
    return 1;
  }
  const std::string lines = PropertyLines(BitmapFile(rows));
  if (mode.empty()) {
    std::cout << lines;
    return std::cout.good() ? 0 : 1;
  }

  std::string form;
  if (!tools::ReadFile(args[1], form)) {
    std::cerr << args[1] << ": cannot read\n";
    return 1;
  }
  std::size_t begin = 0, end = 0;
  if (!FindProperty(form, begin, end)) {
    std::cerr << args[1] << ": expected exactly one \"" << kPropertyStart << "\" closed by \"}\"\n";
    return 1;
  }
  if (mode == "--check") {
    if (form.compare(begin, end - begin, lines) == 0) return 0;
    std::cerr << args[1] << ": the picture data differs from what " << args[0]
              << " gives; run picturedata --update " << args[0] << " " << args[1] << "\n";
    return 1;
  }
  form.replace(begin, end - begin, lines);
  std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
  out << form;
  out.close();
  if (!out) {
    std::cerr << args[1] << ": cannot write\n";
    return 1;
  }
  return 0;
}
