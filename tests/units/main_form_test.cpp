#include "units/main_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/filter_string.h"
#include "generator/settings_check.h"
#include "generator/wizard_settings.h"
#include "platform/errors.h"
#include "platform/resources.h"
#include "tests/units/form_test_support.h"
#include "units/form_conversion.h"

namespace orvalen {
namespace {

using testing::ExpectGolden;
using testing::Visible;

constexpr int kImageListSnippet = 57;

std::string MainText(const WizardSettings& s) {
  return testing::WrittenText([&](Emitter& e) { WriteMainFormText(s, e); });
}

int Glyph(const std::string& handler) {
  for (int c = 0; c < kCommandCount; ++c)
    if (CommandHandler(c) == handler) return kGlyphId + c;
  return -1;
}

std::string GlyphHex(int glyph) {
  return testing::WrittenText([&](Emitter& e) {
    auto bitmap = platform::FindBitmap(glyph);
    if (bitmap) e.WriteHexData(*bitmap);
  });
}

// The text with the image list's artwork and each button's glyph data folded
// into one marker line, after checking that they are exactly the template's
// image list and the hexadecimal form of the button's own bitmap. The golden
// files then show the form's layout and stay readable.
std::string Folded(std::string text) {
  SnippetLibrary library;
  std::string images(library.Snippet(kImageListSnippet));
  if (auto at = text.find(images); at != std::string::npos)
    text.replace(at, images.size(), "@image list@\r\n");
  const std::string open = "      Glyph.Data = {\r\n";
  for (auto at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    auto click = text.rfind("OnClick = ", at);
    std::string handler = text.substr(click + 10, text.find('\r', click) - click - 10);
    auto start = at + open.size();
    auto end = text.find("}\r\nend\r\n", start);
    EXPECT_EQ(text.substr(start, end - start), GlyphHex(Glyph(handler))) << handler;
    text.replace(start, end - start, "@glyph " + handler + "@");
  }
  return text;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool Has(const std::string& text, const std::string& what) {
  return Count(text, what) > 0;
}

WizardSettings Editor() {
  WizardSettings s;
  s.AppName = "Editor";
  return s;
}

std::vector<int> Bar(std::initializer_list<const char*> entries) {
  std::vector<int> bar;
  for (const char* e : entries) bar.push_back(std::string(e) == "-" ? kSpeedbarSpace : Glyph(e));
  return bar;
}

TEST(MainFormText, GoldenWithoutMenus) {
  ExpectGolden("MAIN-nomenu.TXT", Folded(MainText(Editor())));
}

TEST(MainFormText, GoldenFileMenuOnly) {
  auto s = Editor();
  s.cbFileMenu = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt", "All files (*.*)|*.*"};
  ExpectGolden("MAIN-file.TXT", Folded(MainText(s)));
}

TEST(MainFormText, GoldenEveryMenuWithRegistryRecentListAndSpacedSpeedbar) {
  auto s = Editor();
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = true;
  s.cbMRU = s.cbMRUReg = true;
  s.SingleInstanceApp = s.siDDE = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt", "Rich text (*.rtf;*.doc)|*.rtf;*.doc"};
  s.Speedbar = Bar({"FileNew", "FileOpen", "FileSave", "-", "EditCut", "EditCopy", "EditPaste", "-",
                    "-", "WindowTile", "HelpAbout"});
  ExpectGolden("MAIN-all.TXT", Folded(MainText(s)));
}

TEST(MainFormText, GoldenWindowMenuAloneWithoutStatusLine) {
  auto s = Editor();
  s.cbWindowMenu = true;
  s.cbStatusLine = false;
  ExpectGolden("MAIN-window.TXT", Folded(MainText(s)));
}

TEST(MainFormText, HeadCarriesTheApplicationNameTwice) {
  auto s = Editor();
  s.AppName = std::string(61, 'Q');
  std::string text = MainText(s);
  EXPECT_EQ(text.find("object MainForm" + s.AppName + ": TMainForm" + s.AppName + "\r\n"), 0u);
}

TEST(MainFormText, NoMenuMeansNoMenuPropertyImageListMainMenuOrDialogs) {
  auto s = Editor();
  s.cbFileMenu = false;
  s.ExtListBox = {"Text|*.txt"};  // kept by the wizard, unused without the File menu
  std::string text = MainText(s);
  for (const char* absent : {"Menu = ", "ImageList", "MainMenu", "Dialog", "OnDestroy"})
    EXPECT_FALSE(Has(text, absent)) << absent;
  EXPECT_TRUE(Has(text, "  object StatusLine: TStatusBar\r\n"));
}

TEST(MainFormText, EmptyExtensionListGivesEmptyFilters) {
  auto s = Editor();
  s.cbFileMenu = true;
  std::string text = MainText(s);
  EXPECT_EQ(Count(text, "    Filter = ''\r\n"), 2u) << Visible(text);
}

TEST(MainFormText, RecentListVariantOfTheFileMenu) {
  auto s = Editor();
  s.cbFileMenu = true;
  std::string plain = MainText(s);
  s.cbMRU = true;
  std::string recent = MainText(s);

  EXPECT_FALSE(Has(plain, "FileMenuClick"));
  EXPECT_FALSE(Has(plain, "object Recent:"));
  EXPECT_FALSE(Has(plain, "object N11:"));
  EXPECT_TRUE(Has(recent, "      Caption = '&File'\r\n      OnClick = FileMenuClick\r\n"));
  auto n1 = recent.find("object N1:"), r = recent.find("object Recent:"),
       n11 = recent.find("object N11:"), print = recent.find("object FilePrintItem:");
  EXPECT_LT(n1, r);
  EXPECT_LT(r, n11);
  EXPECT_LT(n11, print);
  EXPECT_TRUE(Has(recent,
                  "      object Recent: TMenuItem\r\n        Caption = 'Recent'\r\n"
                  "        ImageIndex = 40\r\n        Hint = 'Re open recently used files'\r\n"
                  "      end\r\n"));
  // Without the registry nothing needs saving at the end.
  EXPECT_FALSE(Has(recent, "OnDestroy"));
}

// FormCreate exists exactly when the main unit needs it: for the hint line
// or to read the recent list from the registry; FormDestroy to save it there.
TEST(MainFormText, CreateDestroyAndShowHintFollowTheirConditions) {
  auto s = Editor();
  s.cbFileMenu = s.cbMRU = s.cbMRUReg = true;
  s.cbStatusLine = false;
  s.cbHints = false;
  std::string text = MainText(s);
  EXPECT_TRUE(Has(text, "  OnCreate = FormCreate\r\n"));
  EXPECT_TRUE(Has(text, "  OnDestroy = FormDestroy\r\n"));
  EXPECT_FALSE(Has(text, "ShowHint"));
  s.cbHints = true;
  EXPECT_TRUE(Has(MainText(s), "  ShowHint = True\r\n"));

  auto h = Editor();
  h.cbStatusLine = false;
  h.cbHints = true;
  text = MainText(h);
  EXPECT_TRUE(Has(text, "  ShowHint = True\r\n"));
  EXPECT_FALSE(Has(text, "OnCreate"));
  EXPECT_FALSE(Has(text, "OnDestroy"));

  h.cbStatusLine = true;  // the hint line
  text = MainText(h);
  EXPECT_TRUE(Has(text, "  OnCreate = FormCreate\r\n"));
  EXPECT_FALSE(Has(text, "OnDestroy"));
}

TEST(MainFormText, FormPropertiesStandInTheirOrder) {
  auto s = Editor();
  s.cbEditMenu = s.cbFileMenu = s.cbMRU = s.cbMRUReg = true;
  std::string text = MainText(s);
  std::string head =
      "  TextHeight = 13\r\n  FormStyle = fsMDIForm\r\n  Menu = MainMenu\r\n"
      "  ShowHint = True\r\n  OnCreate = FormCreate\r\n  OnDestroy = FormDestroy\r\n";
  SnippetLibrary library;
  EXPECT_TRUE(Has(text, head + std::string(library.Snippet(kImageListSnippet)) +
                            "  object MainMenu: TMainMenu\r\n"))
      << Visible(text.substr(0, 600));
}

TEST(MainFormText, MdiOffDropsOnlyTheFormStyle) {
  auto s = Editor();
  s.cbFileMenu = s.cbWindowMenu = true;
  std::string mdi = MainText(s);
  s.cbMDIApp = false;
  std::string plain = MainText(s);
  std::string line = "  FormStyle = fsMDIForm\r\n";
  ASSERT_EQ(Count(mdi, line), 1u);
  EXPECT_FALSE(Has(plain, "FormStyle"));
  EXPECT_EQ(mdi.replace(mdi.find(line), line.size(), ""), plain);
}

TEST(MainFormText, SpeedButtonsStand24ApartAndASpaceAddsFour) {
  auto s = Editor();
  s.cbFileMenu = true;
  s.Speedbar = Bar({"FileNew", "-", "-", "FileOpen"});
  std::string text = MainText(s);
  EXPECT_TRUE(Has(text,
                  "    object SpeedButton1: TSpeedButton\r\n      Left = 8\r\n      Top = 4\r\n"
                  "      Width = 25\r\n      Height = 25\r\n      OnClick = FileNew\r\n"
                  "      Hint = 'New|'\r\n      NumGlyphs = 2\r\n      Glyph.Data = {\r\n"));
  EXPECT_TRUE(Has(text, "    object SpeedButton2: TSpeedButton\r\n      Left = 40\r\n"));
  EXPECT_TRUE(Has(text, "      OnClick = FileOpen\r\n      Hint = 'Open|'\r\n"));
  EXPECT_FALSE(Has(text, "SpeedButton3"));
  // Glyph data closes each button, the panel closes after the last.
  const std::string close = "}\r\nend\r\n  end\r\nend\r\n";
  EXPECT_EQ(text.substr(text.size() - close.size()), close);
}

TEST(MainFormText, SpeedbarOfSpacesOnlyIsAnEmptyPanel) {
  auto s = Editor();
  s.Speedbar = {kSpeedbarSpace, kSpeedbarSpace};
  std::string text = MainText(s);
  EXPECT_TRUE(Has(text,
                  "  object SpeedBar: TPanel\r\n    Align = alTop\r\n    Height = 33\r\n"
                  "  end\r\nend\r\n"));
  EXPECT_FALSE(Has(text, "SpeedButton"));
  s.Speedbar.clear();
  EXPECT_FALSE(Has(MainText(s), "SpeedBar"));
}

TEST(FilterString, JoinsItemsWithOneBarAndDropsATrailingOne) {
  EXPECT_EQ(FilterString({}), "");
  EXPECT_EQ(FilterString({"Text|*.txt"}), "Text|*.txt");
  EXPECT_EQ(FilterString({"Text|*.txt", "All|*.*"}), "Text|*.txt|All|*.*");
  // Only the one bar the join added goes; an item's own bars stay.
  EXPECT_EQ(FilterString({"Text|*.txt", "|"}), "Text|*.txt||");
  EXPECT_EQ(FilterString({""}), "");
}

TEST(FilterString, FormTextDoublesQuotesAndCodesControlCharacters) {
  EXPECT_EQ(FilterFormText(""), "");
  EXPECT_EQ(FilterFormText("Bob's files|*.bob"), "Bob''s files|*.bob");
  EXPECT_EQ(FilterFormText("'"), "''");
  EXPECT_EQ(FilterFormText("a\r\nb"), "a'#13#10'b");
  EXPECT_EQ(FilterFormText("\tx"), "'#9'x");
  EXPECT_EQ(FilterFormText("x\x7f"), "x'#127'");
  EXPECT_EQ(FilterFormText(std::string("a\0b", 3)), "a'#0'b");
  // Bytes of the code page above 127 are ordinary characters of the text form.
  EXPECT_EQ(FilterFormText("D\xE9j\xE0 vu|*.dv"), "D\xE9j\xE0 vu|*.dv");
}

WizardSettings WithFilterText(std::size_t length) {
  auto s = Editor();
  s.cbFileMenu = true;
  s.ExtListBox = {"D|" + std::string(length - 2, 'x')};
  return s;
}

TEST(FilterString, LongestFilterFillsTheFormatBufferExactly) {
  auto s = WithFilterText(kMaxFilterTextLength);
  EXPECT_EQ(CheckFilter(s), std::nullopt);
  std::string text = MainText(s);
  // Each dialog object is whole: the formatting cut nothing off.
  SnippetLibrary library;
  for (int n : {42, 43}) {
    std::string object = Format(library.Snippet(n), {FilterString(s.ExtListBox)});
    EXPECT_EQ(object.size(), kFormatBufferSize);
    EXPECT_TRUE(Has(text, object)) << n;
  }
}

TEST(FilterString, TooLongFilterIsRefusedNotCut) {
  auto s = WithFilterText(kMaxFilterTextLength + 1);
  auto message = CheckFilter(s);
  ASSERT_TRUE(message.has_value());
  EXPECT_NE(message->find(std::to_string(kMaxFilterTextLength + 1)), std::string::npos);
  EXPECT_NE(message->find(std::to_string(kMaxFilterTextLength)), std::string::npos);
  EXPECT_THROW(MainText(s), Error);
  // A doubled quote counts as written.
  auto q = WithFilterText(kMaxFilterTextLength);
  q.ExtListBox[0][0] = '\'';
  EXPECT_TRUE(CheckFilter(q).has_value());
  // Without the File menu there are no dialogs and nothing to refuse.
  s.cbFileMenu = false;
  EXPECT_EQ(CheckFilter(s), std::nullopt);
}

std::vector<std::uint8_t> MainBinary(const WizardSettings& s) {
  return ObjectTextToResource(MainText(s));
}

std::string Str(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(from),
                     b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

TEST(MainFormBinary, HeaderAndStreamStartForEditor) {
  auto s = Editor();
  s.cbFileMenu = s.cbHelpMenu = true;
  auto b = MainBinary(s);
  ASSERT_GT(b.size(), 60u);
  EXPECT_EQ(Str(b, 0, 3), std::string("\xFF\x0A\x00", 3));
  EXPECT_EQ(Str(b, 3, 16), std::string("TMAINFORMEDITOR\0", 16));
  EXPECT_EQ(Str(b, 19, 2), "\x30\x10");
  std::uint32_t length = b[21] | b[22] << 8 | b[23] << 16 | static_cast<std::uint32_t>(b[24]) << 24;
  EXPECT_EQ(length, b.size() - 25);
  EXPECT_EQ(Str(b, 25, 4 + 16 + 15), "TPF0\x0FTMainFormEditor\x0EMainFormEditor");
}

TEST(MainFormBinary, ValuesOfTheFormAndTheHiddenSeparator) {
  auto s = Editor();
  s.cbWindowMenu = true;
  auto b = MainBinary(s);
  std::string all(b.begin(), b.end());
  EXPECT_NE(all.find("\x0B"
                     "Font.Height\x02\xF5"),
            std::string::npos);
  EXPECT_NE(all.find("\x05"
                     "Width\x03\x99\x01"),
            std::string::npos);
  EXPECT_NE(all.find("\x08"
                     "ShowHint\x09"),
            std::string::npos);
  EXPECT_NE(all.find(std::string("\x02N5\x07"
                                 "Caption\x06\x01-\x07visible\x08\x00",
                                 21)),
            std::string::npos);
}

TEST(MainFormBinary, EmptyFilterIsAStringOfLengthZero) {
  auto s = Editor();
  s.cbFileMenu = true;
  auto filters = testing::StringValues(MainBinary(s), "Filter");
  EXPECT_EQ(filters, (std::vector<std::string>{"", ""}));
}

// Whatever the document types hold, both dialogs' Filter reads back as the
// joined list itself, and the form gains nothing else from it.
TEST(MainFormBinary, FilterReadsBackExactlyWhateverTheDescriptionsHold) {
  const std::vector<std::vector<std::string>> lists = {
      {"Bob's files (*.bob)|*.bob"},
      {"'|*.q", "It''s|'"},
      {"A'\r\n  Left = 1\r\n  B = '|*.a"},  // would have added a property
      {"Tab\there|*.t", std::string("Nul\0|*.n", 9), "Caf\xE9|*.caf"},
      {"Long " + std::string(300, 'x') + "|*.long", "Quote ' inside|*.qi"},
  };
  for (const auto& list : lists) {
    auto s = Editor();
    s.cbFileMenu = true;
    s.ExtListBox = list;
    std::vector<std::uint8_t> b;
    ASSERT_NO_THROW(b = MainBinary(s)) << Visible(MainText(s));
    std::string filter = FilterString(list);
    EXPECT_EQ(testing::StringValues(b, "Filter"), (std::vector<std::string>{filter, filter}));
    auto plain = Editor();
    plain.cbFileMenu = true;
    EXPECT_EQ(b.size() - MainBinary(plain).size(),
              2 * (filter.size() + (filter.size() > 255 ? 3 : 0)))
        << "only the two filter values differ in size";
  }
}

TEST(MainFormBinary, LongestFilterConverts) {
  auto s = WithFilterText(kMaxFilterTextLength);
  EXPECT_EQ(testing::StringValues(MainBinary(s), "Filter").size(), 2u);
}

}  // namespace
}  // namespace orvalen
