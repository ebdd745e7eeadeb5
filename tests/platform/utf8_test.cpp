// The one UTF-8 decoder: what it takes, what it refuses wherever text is
// read (typed text, version keys, arguments), and the UTF-16 conversions.
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace orvalen::platform {
namespace {

TEST(Utf8, EachSequenceIsTakenWholeOrRefusedAtItsFirstByte) {
  const struct {
    const char* what;
    std::string bytes;
    bool taken;
    char32_t cp;
  } cases[] = {
      {"ASCII", "A", true, U'A'},
      {"NUL", std::string(1, '\0'), true, 0},
      {"two bytes, least", "\xC2\x80", true, 0x80},
      {"two bytes, most", "\xDF\xBF", true, 0x7FF},
      {"three bytes, least", "\xE0\xA0\x80", true, 0x800},
      {"just below the surrogates", "\xED\x9F\xBF", true, 0xD7FF},
      {"just above the surrogates", "\xEE\x80\x80", true, 0xE000},
      {"four bytes, least", "\xF0\x90\x80\x80", true, 0x10000},
      {"the last code point", "\xF4\x8F\xBF\xBF", true, 0x10FFFF},
      {"overlong NUL", "\xC0\x80", false, 0},
      {"overlong slash", "\xC0\xAF", false, 0},
      {"overlong A", "\xC1\x81", false, 0},
      {"overlong in three bytes", "\xE0\x9F\xBF", false, 0},
      {"overlong in four bytes", "\xF0\x8F\xBF\xBF", false, 0},
      {"first surrogate", "\xED\xA0\x80", false, 0},
      {"last surrogate", "\xED\xBF\xBF", false, 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, 0},
      {"lead byte F5", "\xF5\x80\x80\x80", false, 0},
      {"byte FF", "\xFF", false, 0},
      {"stray continuation", "\x80", false, 0},
      {"truncated two", "\xC3", false, 0},
      {"truncated three", "\xE2\x82", false, 0},
      {"truncated four", "\xF0\x9F\x98", false, 0},
      {"continuation missing", "\xE2\x28\xA1", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = "x" + c.bytes;
    std::size_t pos = 1;
    char32_t cp = 0;
    ASSERT_EQ(DecodeUtf8(text, pos, cp), c.taken);
    if (c.taken) {
      EXPECT_EQ(cp, c.cp);
      EXPECT_EQ(pos, text.size());
      std::string again;
      AppendUtf8(cp, again);
      EXPECT_EQ(again, c.bytes) << "encodes back to the same bytes";
      EXPECT_EQ(FirstInvalidUtf8(text), std::string::npos);
    } else {
      EXPECT_EQ(pos, 1u) << "a refusal does not move";
      EXPECT_EQ(FirstInvalidUtf8(text), 1u);
    }
  }
}

TEST(Utf8, Utf16ConversionsPairSurrogatesAndReplaceWhatIsNoCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
  // Each refused byte becomes one U+FFFD; the decoding goes on after it.
  EXPECT_EQ(Utf8ToUtf16("\xC1\x81z\xED\xA0\x80"), u"\uFFFD\uFFFDz\uFFFD\uFFFD\uFFFD");
  const char16_t loneHigh[] = {u'a', 0xD800, u'b', 0};
  const char16_t loneLow[] = {0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(loneHigh),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(loneLow), "\xEF\xBF\xBD");
  std::string replaced;
  AppendUtf8(0x110000, replaced);
  AppendUtf8(0xDFFF, replaced);
  EXPECT_EQ(replaced, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace orvalen::platform
