#include "platform/utf8.h"

namespace orvalen::platform {

bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp) {
  if (pos >= s.size()) return false;
  const auto b = static_cast<unsigned char>(s[pos]);
  // C0 and C1 could only start overlong forms; F5 and above only values past U+10FFFF.
  const int extra = b < 0x80                 ? 0
                    : b >= 0xC2 && b <= 0xDF ? 1
                    : b >= 0xE0 && b <= 0xEF ? 2
                    : b >= 0xF0 && b <= 0xF4 ? 3
                                             : -1;
  if (extra < 0 || s.size() - pos < static_cast<std::size_t>(extra) + 1) return false;
  char32_t value = extra == 0 ? b : b & (0x3Fu >> extra);
  for (int k = 1; k <= extra; ++k) {
    const char c = s[pos + static_cast<std::size_t>(k)];
    if (!IsUtf8Continuation(c)) return false;
    value = value << 6 | (static_cast<unsigned char>(c) & 0x3Fu);
  }
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (value < kLeast[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return false;
  cp = value;
  pos += static_cast<std::size_t>(extra) + 1;
  return true;
}

std::size_t FirstInvalidUtf8(std::string_view text) {
  char32_t cp;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t at = pos;
    if (!DecodeUtf8(text, pos, cp)) return at;
  }
  return std::string_view::npos;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  auto put = [&](unsigned v) { out += static_cast<char>(v); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | cp >> 6);
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | cp >> 12);
    put(0x80 | (cp >> 6 & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | cp >> 18);
    put(0x80 | (cp >> 12 & 0x3F));
    put(0x80 | (cp >> 6 & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp;
    if (!DecodeUtf8(utf8, pos, cp)) {
      out += u'\uFFFD';
      ++pos;
    } else if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00u);
    AppendUtf8(cp, out);  // a lone surrogate becomes U+FFFD there
  }
  return out;
}

}  // namespace orvalen::platform
