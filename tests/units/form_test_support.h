// Shared by the form description tests: writing a text form in memory,
// comparing with golden files, and reading values back from a form stream.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "generator/emitter.h"
#include "generator/snippet_library.h"
#include "platform/streams.h"
#include "tests/test_support.h"

namespace orvalen::testing {

// The text one writer makes, in memory.
template <typename Writer>
std::string WrittenText(Writer&& writer) {
  SnippetLibrary library;
  platform::MemoryStream out;
  Emitter emitter(out, library);
  writer(emitter);
  return out.Text();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size() - 1;
    lines.push_back(text.substr(start, end + 1 - start));
    start = end + 1;
  }
  return lines;
}

// Where two texts first part, with a few lines of each around it, line ends shown.
inline std::string LineDiff(const std::string& expected, const std::string& actual) {
  auto e = Lines(expected), a = Lines(actual);
  std::size_t i = 0;
  while (i < e.size() && i < a.size() && e[i] == a[i]) ++i;
  std::ostringstream out;
  out << "first difference at line " << i + 1 << " (expected " << e.size() << " lines, got "
      << a.size() << ")\n";
  std::size_t from = i >= 2 ? i - 2 : 0;
  for (std::size_t k = from; k < i + 6 && k < e.size(); ++k)
    out << (k < i ? "  " : "- ") << Visible(e[k]) << (e[k].back() == '\n' ? "" : "\n");
  out << "---\n";
  for (std::size_t k = from; k < i + 6 && k < a.size(); ++k)
    out << (k < i ? "  " : "+ ") << Visible(a[k]) << (a[k].back() == '\n' ? "" : "\n");
  return out.str();
}

// Compares `actual` with tests/golden/<name>, byte for byte. With
// ORVALEN_UPDATE_GOLDEN=1 in the environment the file is rewritten instead.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  std::string path = std::string(ORVALEN_SOURCE_DIR) + "/tests/golden/" + name;
  const char* update = std::getenv("ORVALEN_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    WriteFile(path, actual);
    return;
  }
  std::string expected = ReadFile(path);
  ASSERT_FALSE(expected.empty()) << path << " is missing; run with ORVALEN_UPDATE_GOLDEN=1";
  EXPECT_TRUE(expected == actual) << name << ": " << LineDiff(expected, actual);
}

// A short string of the form stream at `pos`: its text, and `pos` moved past it.
inline std::string ShortString(const std::vector<std::uint8_t>& b, std::size_t& pos) {
  std::size_t n = b.at(pos);
  std::string s(b.begin() + static_cast<std::ptrdiff_t>(pos) + 1,
                b.begin() + static_cast<std::ptrdiff_t>(pos + 1 + n));
  pos += 1 + n;
  return s;
}

// Every string value of the property `name` in a binary form file, in order,
// found by the property's short string followed by a string value (6 or 12).
inline std::vector<std::string> StringValues(const std::vector<std::uint8_t>& b,
                                             const std::string& name) {
  std::vector<std::string> values;
  std::string key = std::string(1, static_cast<char>(name.size())) + name;
  std::string all(b.begin(), b.end());
  for (std::size_t at = all.find(key); at != std::string::npos; at = all.find(key, at + 1)) {
    std::size_t pos = at + key.size();
    if (pos >= b.size()) break;
    if (b[pos] == 6) {
      ++pos;
      values.push_back(ShortString(b, pos));
    } else if (b[pos] == 12 && pos + 5 <= b.size()) {
      std::uint32_t n = b[pos + 1] | b[pos + 2] << 8 | b[pos + 3] << 16 |
                        static_cast<std::uint32_t>(b[pos + 4]) << 24;
      values.push_back(all.substr(pos + 5, n));
    }
  }
  return values;
}

}  // namespace orvalen::testing
