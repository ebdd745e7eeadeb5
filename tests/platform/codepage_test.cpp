// Typed text into the target's code page, and arguments from the locale's
// encoding into UTF-8: the bytes each code page gives, and the refusals.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace orvalen::platform {
namespace {

// What a call gives: its result, or "raised: " and the message.
template <typename Call>
std::string Outcome(Call call) {
  try {
    return call();
  } catch (const ECodePageError& e) {
    return std::string("raised: ") + e.what();
  }
}

TEST(CodePage, TypedTextTakesEachCodePagesBytesOrIsRefusedNamingTheCharacter) {
  const struct {
    const char* utf8;
    int codePage;
    std::string expected;
  } cases[] = {
      {"Téxt|*.txt", 1252, "T\xE9xt|*.txt"},
      {"€", 1252, "\x80"},
      {"Ж", 1252, "raised: The character \"Ж\" (U+0416) cannot be written in code page 1252."},
      {"Жx", 1251, "\xC6x"},
      {"ế", 1258, "\xEA\xEC"},  // a base letter and its combining accent
      {"日本", 932, "\x93\xFA\x96\x7B"},
      {"한", 949, "\xC7\xD1"},
      {"中", 936, "\xD6\xD0"},
      {"中", 950, "\xA4\xA4"},
      {"한", 1361, "\xD0\x65"},
      {"a\\b ~", 1361, "a\\b ~"},  // ASCII stays ASCII in every code page
      {"¥", 932, "raised: The character \"¥\" (U+00A5) cannot be written in code page 932."},
      {"x\xC2\x85", 1252, "raised: The character U+0085 cannot be written in code page 1252."},
      {"é", 437,
       "raised: Code page 437 is unknown: the generated text can be written in code page 874, 932, "
       "936, 949, 950, 1250 to 1258 or 1361."},
      {"", 0,
       "raised: Code page 0 is unknown: the generated text can be written in code page 874, "
       "932, 936, 949, 950, 1250 to 1258 or 1361."},
      {"T\xE9xt", 1252, "raised: The text is not valid UTF-8: byte 0xE9 at offset 1."},
      {"ab\xC3", 1252, "raised: The text is not valid UTF-8: byte 0xC3 at offset 2."},
      {"\xC0\xAF", 1252, "raised: The text is not valid UTF-8: byte 0xC0 at offset 0."},
      {"\xED\xA0\x80", 1252, "raised: The text is not valid UTF-8: byte 0xED at offset 0."},
  };
  for (const auto& c : cases) {
    std::string got = Outcome([&] { return Utf8ToCodePage(c.utf8, c.codePage); });
    EXPECT_EQ(got, c.expected) << c.utf8 << " in " << c.codePage;
    // The converter and the lead-byte table agree on which code pages are double-byte.
    if (got == c.expected && got.size() == 2 && c.expected.rfind("raised", 0) != 0) {
      EXPECT_EQ(IsDBCSLeadByteEx(c.codePage, static_cast<unsigned char>(got[0])),
                c.codePage < 1250 || c.codePage == 1361)
          << c.utf8 << " in " << c.codePage;
    }
  }
}

TEST(CodePage, ArgumentsAreReadInTheirEncoding) {
  const struct {
    std::string text;
    const char* codeset;
    std::string expected;
  } cases[] = {
      {"T\xE9xt", "ISO-8859-1", "Téxt"},
      {"\x82\xA0", "SHIFT_JIS", "あ"},
      {"Téxt", "UTF-8", "Téxt"},
      {"Téxt", "ANSI_X3.4-1968", "Téxt"},  // the C locale says nothing of bytes above 127
      {"T\xE9xt", "UTF-8", "raised: The text is not valid UTF-8: byte 0xE9 at offset 1."},
      {"ab\x82", "SHIFT_JIS", "raised: The text is not valid SHIFT_JIS: byte 0x82 at offset 2."},
      {"x", "NO-SUCH-ENCODING", "raised: Text in the encoding NO-SUCH-ENCODING cannot be read."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Outcome([&] { return ToUtf8(c.text, c.codeset); }), c.expected) << c.codeset;
}

// What the preview and the IDE stand-in show of a generated file: its own code
// page's characters with LF line ends, and bytes that are no text in it shown
// one for one rather than not at all.
TEST(CodePage, GeneratedTextIsShownInItsCodePage) {
  const struct {
    std::string bytes;
    int codePage;
    std::string shown;
  } cases[] = {
      {"Caf\xE9|*.cafe\r\nend.\r\n", 1252, "Caf\u00e9|*.cafe\nend.\n"},
      {"\x80", 1252, "\u20ac"},
      {"\xC6", 1251, "\u0416"},
      {"\xC6", 1252, "\u00c6"},
      {"\x93\xFA\x96\x7B", 932, "\u65e5\u672c"},
      {"ab\x93", 932, "ab\u0093"},       // a lead byte without its second byte
      {"\xE9", 437, "\u00e9"},           // a code page unknown here
      {"a\rb\r\r\n", 1252, "a\rb\r\n"},  // only a CR before an LF is a line end
  };
  for (const auto& c : cases)
    EXPECT_EQ(GeneratedTextForDisplay(c.bytes, c.codePage), c.shown)
        << c.codePage << " " << c.bytes;
}

}  // namespace
}  // namespace orvalen::platform
