// Splitting a file-type entry for the list's two columns and for the editor's
// two edits, and joining the edits back into an entry.
#include "wizard/core/extension_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalen::wizard {
namespace {

std::string Repeat(std::string_view unit, std::size_t times) {
  std::string s;
  for (std::size_t i = 0; i < times; ++i) s += unit;
  return s;
}

const std::string kE = "\xC3\xA9";              // é, two bytes
const std::string kEuro = "\xE2\x82\xAC";       // €, three bytes
const std::string kSmile = "\xF0\x9F\x98\x80";  // U+1F600, four bytes
const std::string kSharpS = "\xC3\x9F";         // ß, two bytes

struct SplitCase {
  const char* what;
  std::string entry;
  ExtensionParts drawn, edited;
};

TEST(ExtensionEntry, SplitsAtTheFirstBarForTheListAndForTheEditor) {
  const std::string a255 = Repeat("a", 255), c255 = Repeat("c", 255);
  const std::vector<SplitCase> cases = {
      {"empty", "", {"", ""}, {"", ""}},
      {"bar alone", "|", {"", ""}, {"", ""}},
      {"description and patterns",
       "Text files|*.txt;*.log",
       {"Text files", "*.txt;*.log"},
       {"Text files", "*.txt;*.log"}},
      {"further bars belong to the pattern", "A|B|C", {"A", "B|C"}, {"A", "B|C"}},
      {"no bar", "*.txt", {"", "*.txt"}, {"*.txt", ""}},
      {"no bar, 256 characters", a255 + "b", {"", a255}, {a255, ""}},
      {"no bar, 300 characters: the 256th is lost",
       a255 + "b" + Repeat("c", 44),
       {"", a255},
       {a255, Repeat("c", 44)}},
      {"no bar, 600 characters", a255 + "b" + Repeat("c", 344), {"", a255}, {a255, c255}},
      {"300-character pattern", "D|" + Repeat("c", 300), {"D", c255}, {"D", c255}},
      {"300-character description: the list shows 255, the editor takes all",
       Repeat("d", 300) + "|p",
       {Repeat("d", 255), "p"},
       {Repeat("d", 300), "p"}},
      {"two-byte character as the 255th of a pattern",
       "D|" + Repeat("p", 254) + kE + "qq",
       {"D", Repeat("p", 254) + kE},
       {"D", Repeat("p", 254) + kE}},
      {"four-byte character as the 256th of a pattern",
       "D|" + Repeat("p", 255) + kSmile,
       {"D", Repeat("p", 255)},
       {"D", Repeat("p", 255)}},
      {"no bar, multi-byte characters on both sides of the lost 256th",
       Repeat(kEuro, 254) + kE + kSharpS + kSmile + "xyz",
       {"", Repeat(kEuro, 254) + kE},
       {Repeat(kEuro, 254) + kE, kSmile + "xyz"}},
      {"multi-byte characters around the bar",
       kE + "|" + kSmile + "|" + kEuro,
       {kE, kSmile + "|" + kEuro},
       {kE, kSmile + "|" + kEuro}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ExtensionParts drawn = SplitForDrawing(c.entry);
    EXPECT_EQ(drawn.description, c.drawn.description);
    EXPECT_EQ(drawn.pattern, c.drawn.pattern);
    const ExtensionParts edited = SplitForEditor(c.entry);
    EXPECT_EQ(edited.description, c.edited.description);
    EXPECT_EQ(edited.pattern, c.edited.pattern);
  }
}

struct EditCase {
  const char* what;
  std::string entry;                 // what the editor opens
  std::string result;                // what OK gives back
  std::string description, pattern;  // typed into the edits; both empty: left as opened
};

// What a person gets after opening an entry in the editor and pressing OK.
TEST(ExtensionEntry, OkInTheEditorJoinsTheEditsWithOneBar) {
  const std::vector<EditCase> cases = {
      {"both edits empty", "", "|", "", ""},
      {"a bar typed into the description moves the split", "", "A|B|C", "A|B", "C"},
      {"untouched entry", "Text files|*.txt", "Text files|*.txt", "", ""},
      {"no bar: the description gains one", Repeat("x", 200), Repeat("x", 200) + "|", "", ""},
      {"no bar, 258 characters: the 256th gives way to the bar", Repeat("x", 255) + "y" + "zz",
       Repeat("x", 255) + "|zz", "", ""},
      {"spaces are kept", "", " Text | *.txt ", " Text ", " *.txt "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExtensionParts edits = SplitForEditor(c.entry);
    if (!c.description.empty() || !c.pattern.empty()) edits = {c.description, c.pattern};
    const std::string entry = JoinEntry(edits.description, edits.pattern);
    EXPECT_EQ(entry, c.result);
    EXPECT_EQ(JoinEntry(SplitForEditor(entry).description, SplitForEditor(entry).pattern), entry)
        << "a second OK changes the entry again";
  }
  const ExtensionParts moved = SplitForEditor(JoinEntry("A|B", "C"));
  EXPECT_EQ(moved.description, "A");
  EXPECT_EQ(moved.pattern, "B|C");
}

}  // namespace
}  // namespace orvalen::wizard
