#include "generator/snippet_library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "platform/resources.h"

namespace orvalen {
namespace {

platform::Bytes AsBytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// A template of `count` separators, snippet i being "S<i>\r\n".
std::string MakeTemplate(int count) {
  std::string t;
  for (int i = 0; i < count; ++i) {
    t += 'S';
    t += std::to_string(i);
    t += "\r\n|";
  }
  return t;
}

TEST(SnippetLibrary, ShippedTemplateHasSixtySnippetsAndTheProgramHead) {
  SnippetLibrary lib;
  EXPECT_EQ(lib.Snippet(0), "program %s;\r\n//csProgram\r\nuses\r\n  Forms,\r\n");
  EXPECT_EQ(lib.Snippet(0).size(), 42u);
  EXPECT_TRUE(lib.Snippet(55).empty());
  EXPECT_NO_THROW(lib.Snippet(59));
  EXPECT_THROW(lib.Snippet(60), std::out_of_range);
}

TEST(SnippetLibrary, ShippedTemplateHasSixtyTwoSeparatorsAndCrLfOnly) {
  auto bytes = platform::FindResource("SNIPETS", platform::ResourceType::RCData);
  ASSERT_TRUE(bytes);
  std::string text(bytes->begin(), bytes->end());
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 62);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  // Snippet 59 ends with the line end before the 60th separator; what follows is never read.
  SnippetLibrary lib;
  std::string last(lib.Snippet(59));
  EXPECT_EQ(text.substr(text.size() - 6 - last.size() - 1), last + "||\r\n|\r\n");
}

TEST(SnippetLibrary, CutsAtTheFirstSixtySeparatorsAndIgnoresTheRest) {
  std::string t = MakeTemplate(60) + "tail|more|";
  SnippetLibrary lib(AsBytes(t), 1252);
  EXPECT_EQ(lib.Snippet(0), "S0\r\n");
  EXPECT_EQ(lib.Snippet(59), "S59\r\n");
}

TEST(SnippetLibrary, AdjacentSeparatorsGiveAnEmptySnippet) {
  std::string t = "a|b||";
  t += MakeTemplate(57);
  SnippetLibrary lib(AsBytes(t), 1252);
  EXPECT_EQ(lib.Snippet(1), "b");
  EXPECT_EQ(lib.Snippet(2), "");
  EXPECT_EQ(lib.Snippet(3), "S0\r\n");
}

TEST(SnippetLibrary, RefusesTemplatesWithTooFewSeparatorsWithoutReadingPastTheEnd) {
  for (int count : {0, 1, 59}) {
    std::string t = MakeTemplate(count) + "no separator after this";
    EXPECT_THROW(SnippetLibrary(AsBytes(t), 1252), EResourceError) << count;
  }
  EXPECT_THROW(SnippetLibrary(AsBytes(""), 1252), EResourceError);
}

TEST(SnippetLibrary, ASeparatorInsideADoubleByteCharacterDoesNotEndASnippet) {
  // 0x81 0x7C is one Shift-JIS character whose second byte is '|'.
  std::string t = std::string("x\x81|y|") + MakeTemplate(59);
  SnippetLibrary dbcs(AsBytes(t), 932);
  EXPECT_EQ(dbcs.Snippet(0), "x\x81|y");
  EXPECT_EQ(dbcs.Snippet(1), "S0\r\n");
  // Windows-1252 has no lead bytes: the same byte ends the snippet there.
  SnippetLibrary single(AsBytes(t + "|"), 1252);
  EXPECT_EQ(single.Snippet(0), "x\x81");
  EXPECT_EQ(single.Snippet(1), "y");
}

TEST(SnippetLibrary, ALeadByteAsTheLastByteStopsAtTheEnd) {
  std::string t = MakeTemplate(59) + "\x81";
  EXPECT_THROW(SnippetLibrary(AsBytes(t), 932), EResourceError);
}

TEST(SnippetLibrary, FreeSnippetsInvalidatesAndANewLoadRebuilds) {
  SnippetLibrary lib;
  lib.FreeSnippets();
  EXPECT_FALSE(lib.Loaded());
  EXPECT_THROW(lib.SnippetText(0), std::logic_error);
  EXPECT_THROW(lib.FormatBuffer(), std::logic_error);
  SnippetLibrary again;
  EXPECT_EQ(again.Snippet(0).size(), 42u);
}

}  // namespace
}  // namespace orvalen
