#include "units/mdi_child_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generator/emitter.h"
#include "run/generation_run.h"
#include "generator/snippet_library.h"
#include "generator/wizard_settings.h"
#include "tests/test_support.h"
#include "tests/units/form_test_support.h"

namespace orvalen {
namespace {

using testing::ExpectGolden;

std::string ChildUnit(const WizardSettings& s) {
  return testing::WrittenText([&](Emitter& e) { WriteMdiChildUnit(s, e); });
}

std::string Snippet(int n) {
  SnippetLibrary library;
  return std::string(library.Snippet(n));
}

TEST(MdiChildUnit, Golden) {
  WizardSettings s;
  s.AppName = "Editor";
  ExpectGolden("MDICHILD.PAS", ChildUnit(s));
}

TEST(MdiChildUnit, IsTheTwoSnippetsAndTheUnitsEnd) {
  WizardSettings s;
  std::string unit = ChildUnit(s);
  EXPECT_EQ(unit, Snippet(49) + Snippet(50) + "end.\r\n");
  EXPECT_EQ(unit.find("unit MDIChild;\r\n//csMdiIntf\r\n"), 0u);
  EXPECT_NE(unit.find("\r\n  MDIChildForm: TMDIChildForm;\r\n"), std::string::npos);
  EXPECT_NE(unit.find("\r\n{$R *.DFM}\r\n"), std::string::npos);
  // Written unchanged: the "%s" of its messages reaches the application.
  EXPECT_NE(unit.find("'File %s has been changed!'"), std::string::npos);
  EXPECT_NE(unit.find("'Do you want to save changes ?'"), std::string::npos);
}

TEST(MdiChildUnit, DoesNotDependOnAnyChoice) {
  WizardSettings a;
  a.AppName = "Editor";
  WizardSettings b;
  b.AppName = "Other";
  b.cbFileMenu = b.cbEditMenu = b.cbWindowMenu = b.cbHelpMenu = b.cbMRU = b.cbMRUReg = true;
  b.cbMDIApp = b.cbStatusLine = b.cbHints = false;
  b.SingleInstanceApp = true;
  b.Speedbar = {kSpeedbarSpace, 11100};
  EXPECT_EQ(ChildUnit(a), ChildUnit(b));
}

// The one character outside 7-bit ASCII of the whole template stands in the
// child unit's credit line, as one Windows-1252 byte.
TEST(MdiChildUnit, CreditLineHoldsTheTemplatesOnlyEightBitCharacter) {
  std::string unit = ChildUnit(WizardSettings{});
  auto high = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
  ASSERT_EQ(std::count_if(unit.begin(), unit.end(), high), 1);
  auto at = static_cast<std::size_t>(std::find_if(unit.begin(), unit.end(), high) - unit.begin());
  EXPECT_EQ(static_cast<unsigned char>(unit[at]), 0xA9);
  std::size_t lineStart = unit.rfind('\n', at) + 1;
  std::string line = unit.substr(lineStart, unit.find('\r', at) - lineStart);
  EXPECT_NE(line.find("Corvane"), std::string::npos) << line;
  EXPECT_NE(line.find("Ardelin"), std::string::npos) << line;
  EXPECT_EQ(line.front(), '{');
  EXPECT_EQ(line.back(), '}');

  SnippetLibrary library;
  for (int n = 0; n < kSnippetCount; ++n) {
    if (n == 49) continue;
    std::string text(library.Snippet(n));
    EXPECT_EQ(std::count_if(text.begin(), text.end(), high), 0) << "snippet " << n;
  }
}

TEST(MdiChildUnit, DeclaresWhatTheMainFormUses) {
  std::string intf = Snippet(49);
  for (const char* member :
       {"  TMDIChildForm = class(TForm)\r\n", "    SaveDialog: TSaveDialog;\r\n",
        "    PrintDialog: TPrintDialog;\r\n", "    MenuItem: TMenuItem;\r\n",
        "    RecentMenu: TMenuItem;\r\n", "    Modified: Boolean;\r\n",
        "    UntitledFile: Boolean;\r\n", "    OpenRecentClick: TNotifyEvent;\r\n",
        "    procedure EditUndo(Sender: TObject);\r\n",
        "    procedure Dispatch(var Message); override;\r\n", "    function CanFree: Boolean;\r\n",
        "    procedure CreateNewFile;\r\n",
        "    procedure SetMenuItem(Value: TMenuItem; BitMap: TBitMap);\r\n",
        "    procedure SaveFile;\r\n", "    procedure LoadFile(FileName: string);\r\n",
        "    function SaveFileAs: Boolean;\r\n",
        "    function IsItem(var Item: integer): Boolean;\r\n",
        "    function NewMRUItem: TMenuItem;\r\n"})
    EXPECT_NE(intf.find(member), std::string::npos) << member;
  EXPECT_EQ(Snippet(50).find("  end;"), 0u);
}

std::vector<std::string> Names(const std::vector<std::string>& paths) {
  std::vector<std::string> names;
  for (const auto& p : paths) names.push_back(p.substr(p.rfind('/') + 1));
  return names;
}

// The main unit names MDIChild whether or not its form is an MDI frame, so the
// run writes the child unit every time, after the main form's files.
TEST(MdiChildUnit, WrittenInEveryRunBetweenTheMainFormAndTheAboutUnit) {
  for (bool mdi : {true, false}) {
    testing::TempDir dir;
    WizardSettings s;
    s.AppName = "Editor";
    s.AppPath = dir.Str();
    s.cbMDIApp = mdi;
    s.cbMDIform = false;
    auto names = Names(GenerateApplication(s).files);
    const std::vector<std::string> order = {
        "Editor.DPR",   "MAIN.PAS",     "MAIN.TXT",     "MAIN.DFM",     "MDICHILD.PAS",
        "MDICHILD.TXT", "MDICHILD.DFM", "STDABOUT.PAS", "STDABOUT.TXT", "STDABOUT.DFM"};
    // The files written, as far as they are known here, stand in this order.
    std::vector<std::string> known;
    for (const auto& name : names)
      if (std::find(order.begin(), order.end(), name) != order.end()) known.push_back(name);
    EXPECT_TRUE(std::is_sorted(known.begin(), known.end(), [&](const auto& x, const auto& y) {
      return std::find(order.begin(), order.end(), x) < std::find(order.begin(), order.end(), y);
    })) << ::testing::PrintToString(names);
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "Editor.DPR");
    EXPECT_EQ(names[1], "MAIN.PAS");
    EXPECT_EQ(std::count(names.begin(), names.end(), "MDICHILD.PAS"), 1) << mdi;
    EXPECT_EQ(testing::ReadFile(dir.File("MDICHILD.PAS")), ChildUnit(s));
  }
}

}  // namespace
}  // namespace orvalen
