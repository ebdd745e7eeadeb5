#include "platform/codepage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>

#include "platform/ascii_case.h"
#include "platform/utf8.h"

namespace orvalen::platform {

int AnsiCodePage() {
  return 1252;
}

bool IsDBCSLeadByteEx(int codePage, unsigned char b) {
  switch (codePage) {
    case 932:  // Shift JIS
      return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
      return b >= 0x81 && b <= 0xFE;
    case 1361:  // Johab
      return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
    default:
      return false;
  }
}

namespace {

constexpr std::array<int, 15> kSupported = {874,  932,  936,  949,  950,  1250, 1251, 1252,
                                            1253, 1254, 1255, 1256, 1257, 1258, 1361};

// One iconv conversion descriptor, closed with its owner.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (Open()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Open() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole text converted from the initial state, or, when some input is
  // not a character of the source encoding (or has no exact counterpart in the
  // target), false with `stop` at the offset where the conversion stopped.
  bool Convert(std::string_view text, std::string& out, std::size_t& stop) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.clear();
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::string buffer(text.size() * 4 + 16, '\0');
    for (bool flushing = false;;) {
      char* o = buffer.data();
      std::size_t oLeft = buffer.size();
      std::size_t r = flushing ? iconv(cd_, nullptr, nullptr, &o, &oLeft)
                               : iconv(cd_, &in, &inLeft, &o, &oLeft);
      out.append(buffer.data(), static_cast<std::size_t>(o - buffer.data()));
      if (r == static_cast<std::size_t>(-1) && errno == E2BIG) continue;
      stop = text.size() - inLeft;
      if (r == static_cast<std::size_t>(-1) || r > 0) return false;  // r > 0: approximated
      if (flushing) return true;
      flushing = true;
    }
  }

 private:
  iconv_t cd_;
};

std::string NotValid(const std::string& encoding, std::string_view text, std::size_t offset) {
  char what[64];
  std::snprintf(what, sizeof what, ": byte 0x%02X at offset %zu.",
                static_cast<unsigned>(static_cast<unsigned char>(text[offset])), offset);
  return "The text is not valid " + encoding + what;
}

void CheckUtf8(std::string_view text) {
  const std::size_t bad = FirstInvalidUtf8(text);
  if (bad != std::string_view::npos) throw ECodePageError(NotValid("UTF-8", text, bad));
}

// A control character is named by its number only.
std::string Refused(std::string_view character, char32_t cp, int codePage) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(cp));
  std::string name =
      cp < 0xA0 ? std::string(number) : "\"" + std::string(character) + "\" (" + number + ")";
  return "The character " + name + " cannot be written in code page " + std::to_string(codePage) +
         ".";
}

}  // namespace

bool IsSupportedCodePage(int codePage) {
  return std::find(kSupported.begin(), kSupported.end(), codePage) != kSupported.end();
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
  if (!IsSupportedCodePage(codePage))
    throw ECodePageError("Code page " + std::to_string(codePage) +
                         " is unknown: the generated text can be written in code page 874, 932, "
                         "936, 949, 950, 1250 to 1258 or 1361.");
  const std::string name = "CP" + std::to_string(codePage);
  Iconv to(name, "UTF-8"), back("UTF-8", name);
  if (!to.Open() || !back.Open())
    throw ECodePageError("Code page " + std::to_string(codePage) +
                         " cannot be converted to on this system.");
  std::string out, encoded, decoded;
  std::size_t stop;
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::size_t at = pos;
    char32_t cp;
    if (!DecodeUtf8(utf8, pos, cp)) throw ECodePageError(NotValid("UTF-8", utf8, at));
    // Every ANSI code page keeps ASCII as it is, as the template's text does;
    // (the C library's Johab would turn the backslash into a won sign).
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    // One character at a time, so a refusal names it; and only a character
    // that reads back as itself is the code page's own.
    std::string_view character = utf8.substr(at, pos - at);
    if (!to.Convert(character, encoded, stop) || !back.Convert(encoded, decoded, stop) ||
        decoded != character)
      throw ECodePageError(Refused(character, cp, codePage));
    out += encoded;
  }
  return out;
}

std::string LocaleCodeset() {
  // A locale object of its own, so the process's locale stays as it is.
  locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (!locale) return nl_langinfo(CODESET);  // an unknown locale: the C locale stays in force
  std::string codeset = nl_langinfo_l(CODESET, locale);
  freelocale(locale);
  return codeset;
}

std::string ToUtf8(std::string_view text, const std::string& codeset) {
  const std::string upper = AsciiUpper(codeset);
  if (upper == "UTF-8" || upper == "UTF8" || upper == "ANSI_X3.4-1968" || upper == "ASCII" ||
      upper == "US-ASCII") {
    CheckUtf8(text);
    return std::string(text);
  }
  Iconv from("UTF-8", codeset);
  if (!from.Open()) throw ECodePageError("Text in the encoding " + codeset + " cannot be read.");
  std::string out;
  std::size_t stop;
  if (!from.Convert(text, out, stop)) throw ECodePageError(NotValid(codeset, text, stop));
  return out;
}

std::string LocaleToUtf8(std::string_view text) {
  return ToUtf8(text, LocaleCodeset());
}

std::string GeneratedTextForDisplay(std::string_view bytes, int codePage) {
  std::string text;
  try {
    if (!IsSupportedCodePage(codePage)) throw ECodePageError("unknown code page");
    text = ToUtf8(bytes, "CP" + std::to_string(codePage));
  } catch (const ECodePageError&) {
    text.clear();
    for (char byte : bytes) AppendUtf8(static_cast<unsigned char>(byte), text);
  }
  std::string display;
  display.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') display += text[i];
  return display;
}

}  // namespace orvalen::platform
