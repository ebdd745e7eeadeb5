#include "units/main_unit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/emitter.h"
#include "generator/snippet_library.h"
#include "generator/wizard_settings.h"
#include "tests/test_support.h"
#include "tests/units/form_test_support.h"

namespace orvalen {
namespace {

using testing::ExpectGolden;
using testing::Visible;

std::string MainUnit(const WizardSettings& s) {
  return testing::WrittenText([&](Emitter& e) { WriteMainUnit(s, e); });
}

WizardSettings Editor() {
  WizardSettings s;
  s.AppName = "Editor";
  return s;
}

int Glyph(const std::string& handler) {
  for (int c = 0; c < kCommandCount; ++c)
    if (CommandHandler(c) == handler) return kGlyphId + c;
  ADD_FAILURE() << "no command " << handler;
  return -1;
}

std::vector<int> Bar(const std::vector<std::string>& entries) {
  std::vector<int> bar;
  for (const auto& e : entries) bar.push_back(e == "-" ? kSpeedbarSpace : Glyph(e));
  return bar;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool Has(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

// Where `what` starts; a failure when it is not there at all.
std::size_t At(const std::string& text, const std::string& what) {
  auto at = text.find(what);
  EXPECT_NE(at, std::string::npos) << "missing: " << Visible(what);
  return at;
}

std::string Field(const std::string& name, const std::string& type = "TMenuItem") {
  return "    " + name + ": " + type + ";\r\n";
}

std::string Decl(const std::string& name) {
  return "    procedure " + name + "(Sender: TObject);\r\n";
}

std::string Head(const std::string& name) {
  return "procedure TMainFormEditor." + name + "(Sender: TObject);\r\n";
}

// The interface part: the class declaration, up to the end that closes it.
std::string ClassPart(const std::string& unit) {
  return unit.substr(0, At(unit, "  end;//csMainImpl"));
}

std::string Snippet(int n) {
  SnippetLibrary library;
  return std::string(library.Snippet(n));
}

// ---- golden files: the whole unit for four representative choices ----

TEST(MainUnit, GoldenWithoutMenus) {
  ExpectGolden("MAIN-nomenu.PAS", MainUnit(Editor()));
}

TEST(MainUnit, GoldenFileMenuOnly) {
  auto s = Editor();
  s.cbFileMenu = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt", "All files (*.*)|*.*"};
  ExpectGolden("MAIN-file.PAS", MainUnit(s));
}

TEST(MainUnit, GoldenEveryMenuWithRegistryRecentListHintsAndSingleInstance) {
  auto s = Editor();
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = true;
  s.cbMRU = s.cbMRUReg = true;
  s.SingleInstanceApp = s.siDDE = true;
  s.Speedbar = Bar({"FileNew", "FileOpen", "FileSave", "-", "EditCut", "EditCopy", "EditPaste", "-",
                    "-", "WindowTile", "HelpAbout"});
  ExpectGolden("MAIN-all.PAS", MainUnit(s));
}

TEST(MainUnit, GoldenWindowMenuAloneWithoutStatusLine) {
  auto s = Editor();
  s.cbWindowMenu = true;
  s.cbStatusLine = false;
  ExpectGolden("MAIN-window.PAS", MainUnit(s));
}

// ---- names and fixed lines ----

TEST(MainUnit, ClassAndVariableCarryTheNameAsTyped) {
  auto s = Editor();
  s.AppName = "my_App" + std::string(55, 'Q');  // 61 characters, the longest the run takes
  std::string unit = MainUnit(s);
  EXPECT_EQ(unit.find("unit Main;\r\n//csMainIntf\r\n"), 0u);
  EXPECT_TRUE(Has(unit, "const umactivate=wm_User+$FFF;\r\n"));
  EXPECT_TRUE(
      Has(unit, "\r\n  TMainForm" + s.AppName + " = class(TForm)//formatted to longname\r\n"));
  EXPECT_TRUE(Has(unit, "\r\n  MainForm" + s.AppName + ": TMainForm" + s.AppName + ";\r\n"));
  EXPECT_TRUE(Has(unit, "\r\nimplementation\r\n\r\n{$R *.DFM}\r\n"));
  EXPECT_EQ(unit.substr(unit.size() - 6), "end.\r\n");
  for (const char* unitName : {"STDAbout", "MDIChild", "Registry", "ShlObj"})
    EXPECT_TRUE(Has(unit.substr(0, At(unit, "const umactivate")), unitName)) << unitName;
}

TEST(MainUnit, FileNameParameterIsSpelledAsBeforeInEachPlace) {
  auto s = Editor();
  s.cbFileMenu = s.cbMRU = true;
  std::string unit = MainUnit(s);
  EXPECT_TRUE(Has(unit, "    procedure OpenTheFile(FileName:String);\r\n"));
  EXPECT_TRUE(Has(unit, "    procedure MRUMenu(FileName:String);\r\n"));
  EXPECT_TRUE(Has(unit, "procedure TMainFormEditor.OpenTheFile(FileName:String);\r\n"));
  EXPECT_TRUE(Has(unit, "procedure TMainFormEditor.MRUMenu(Filename:String);\r\n"));
}

// ---- the conditions of the form's handlers ----

TEST(MainUnit, HintLineAndRegistryListShareOneFormCreate) {
  auto s = Editor();
  s.cbFileMenu = s.cbMRU = s.cbMRUReg = true;
  std::string unit = MainUnit(s);
  EXPECT_EQ(Count(unit, Decl("FormCreate")), 1u);
  EXPECT_EQ(Count(unit, Head("FormCreate")), 1u);
  EXPECT_FALSE(Has(unit, "//csFormCreateProc"));
  EXPECT_TRUE(Has(unit, Head("FormCreate") + Snippet(58) +
                            "Application.OnHint := ShowHint;\r\nEnd;\r\n" +
                            "procedure TMainFormEditor.MRUMenu("));
  EXPECT_TRUE(Has(unit, Head("ShowHint") + Snippet(6)));
  EXPECT_TRUE(Has(unit, Head("FormDestroy") + Snippet(59)));
  EXPECT_TRUE(Has(unit, "    Private\r\n     Reg:TRegistry;\r\n  end;//csMainImpl\r\n"));
}

TEST(MainUnit, RegistryListWithoutHintLineEndsFormCreateAtOnce) {
  for (bool status : {false, true}) {
    auto s = Editor();
    s.cbFileMenu = s.cbMRU = s.cbMRUReg = true;
    s.cbStatusLine = status;
    s.cbHints = !status;
    std::string unit = MainUnit(s);
    EXPECT_TRUE(Has(unit, Head("FormCreate") + Snippet(58) + "End;\r\n")) << status;
    EXPECT_FALSE(Has(unit, "ShowHint")) << status;
    EXPECT_EQ(Count(unit, Decl("FormCreate")), 1u);
  }
}

TEST(MainUnit, HintLineWithoutRegistryListUsesTheHintFormCreate) {
  auto s = Editor();
  s.cbFileMenu = s.cbMRU = true;  // the list, but not in the registry
  std::string unit = MainUnit(s);
  EXPECT_TRUE(Has(unit, Decl("FormCreate") + Decl("ShowHint") + Decl("FileNew")));
  EXPECT_TRUE(Has(unit, "{$R *.DFM}\r\n\r\n" + Head("FormCreate") + Snippet(5) + Head("ShowHint") +
                            Snippet(6) + Head("FileNew")));
  EXPECT_FALSE(Has(unit, "FormDestroy"));
  EXPECT_FALSE(Has(unit, "Private"));
  EXPECT_FALSE(Has(unit, "//csMruRegCreateProc"));
}

TEST(MainUnit, NoShowHintWithoutBothStatusLineAndHints) {
  for (auto [status, hints] : {std::pair{true, false}, {false, true}, {false, false}}) {
    auto s = Editor();
    s.cbStatusLine = status;
    s.cbHints = hints;
    std::string unit = MainUnit(s);
    EXPECT_FALSE(Has(unit, "ShowHint")) << status << hints;
    EXPECT_FALSE(Has(unit, "FormCreate")) << status << hints;
    EXPECT_EQ(Has(unit, Field("StatusLine", "TStatusBar")), status);
  }
  std::string both = MainUnit(Editor());
  EXPECT_TRUE(Has(both, Field("StatusLine", "TStatusBar") + Decl("FormCreate") + Decl("ShowHint")));
}

// ---- speedbar fields ----

TEST(MainUnit, SpeedButtonFieldsAreNumberedOverButtonsOnly) {
  auto s = Editor();
  s.cbFileMenu = s.cbHelpMenu = true;
  s.Speedbar = Bar({"FileNew", "-", "FileOpen"});
  std::string unit = MainUnit(s);
  EXPECT_TRUE(Has(unit,
                  "    SpeedBar: TPanel;\r\n"
                  "    SpeedButton1: TSpeedButton;  { &New }\r\n"
                  "    SpeedButton2: TSpeedButton;  { &Open... }\r\n"
                  "    procedure "));
  EXPECT_FALSE(Has(unit, "SpeedButton3"));

  s.Speedbar = Bar({"-", "-", "HelpAbout", "-", "FileExit", "HelpSearch", "-"});
  unit = MainUnit(s);
  EXPECT_TRUE(Has(unit,
                  "    SpeedButton1: TSpeedButton;  { &About... }\r\n"
                  "    SpeedButton2: TSpeedButton;  { E&xit }\r\n"
                  "    SpeedButton3: TSpeedButton;  { &Search for Help On... }\r\n"));
  EXPECT_FALSE(Has(unit, "SpeedButton4"));
}

TEST(MainUnit, SpacesOnlyGiveTheSpeedBarFieldAndNoButton) {
  auto s = Editor();
  s.Speedbar = Bar({"-", "-"});
  std::string unit = MainUnit(s);
  EXPECT_TRUE(Has(
      unit, Field("StatusLine", "TStatusBar") + Field("SpeedBar", "TPanel") + Decl("FormCreate")));
  EXPECT_FALSE(Has(unit, "SpeedButton"));
  EXPECT_FALSE(Has(MainUnit(Editor()), "SpeedBar"));
}

// ---- the recent list and the fields the File handlers need ----

TEST(MainUnit, RecentListWithoutFileMenuWritesNothingOfIt) {
  auto s = Editor();
  s.cbEditMenu = true;
  s.cbMRU = s.cbMRUReg = true;  // checked but without effect
  std::string unit = MainUnit(s);
  for (const char* absent : {"Recent", "MRUMenu", "FileMenuClick", "OpenTheFile", "Reg:", "Reg.",
                             "Private", "FormDestroy", "N11", "N5", "WMenu", "Dialog: "})
    EXPECT_FALSE(Has(unit, absent)) << absent;
  EXPECT_EQ(Count(unit, "FormCreate("), 2u);  // the hint line's declaration and head
}

TEST(MainUnit, RecentListWithoutRegistry) {
  auto s = Editor();
  s.cbFileMenu = s.cbMRU = true;
  std::string unit = MainUnit(s);
  std::string decls = ClassPart(unit);
  EXPECT_TRUE(Has(decls, Field("FileExitItem") + Field("Recent") + Field("N11") + Field("N5") +
                             Field("N1") + Field("CloseMenu") + Field("CloseAllMenu") +
                             Field("WMenu") + Field("StatusLine", "TStatusBar")));
  EXPECT_TRUE(Has(decls, Decl("FileExit") + Decl("CloseMenuClick") + Decl("CloseAllMenuClick") +
                             "    procedure OpenTheFile(FileName:String);\r\n" +
                             Decl("OpenRecent") + Decl("FileMenuClick") +
                             "    procedure MRUMenu(FileName:String);\r\n"));
  EXPECT_TRUE(
      Has(unit, Head("CloseMenuClick") + Snippet(16) + Head("CloseAllMenuClick") + Snippet(17) +
                    "procedure TMainFormEditor.OpenTheFile(FileName:String);\r\n" + Snippet(15) +
                    "procedure TMainFormEditor.MRUMenu(Filename:String);\r\n" + Snippet(52) +
                    Head("OpenRecent") + Snippet(53) + Head("FileMenuClick") + Snippet(7) +
                    "end.\r\n"));
  EXPECT_FALSE(Has(unit, "FormDestroy"));
  EXPECT_FALSE(Has(unit, "Private"));
}

// FileNew and OpenTheFile hand Recent, OpenRecent and WMenu to each document
// and FileSaveAs records names with MRUMenu, so the File menu brings them all.
TEST(MainUnit, FileMenuWithoutRecentListStillDeclaresWhatItsHandlersUse) {
  auto s = Editor();
  s.cbFileMenu = true;
  std::string unit = MainUnit(s);
  std::string decls = ClassPart(unit);
  EXPECT_TRUE(Has(decls, Field("FileExitItem") + Field("Recent") + Field("N11") + Field("N5") +
                             Field("N1") + Field("CloseMenu") + Field("CloseAllMenu") +
                             Field("WMenu")));
  EXPECT_TRUE(Has(decls, "    procedure OpenTheFile(FileName:String);\r\n" + Decl("OpenRecent") +
                             "    procedure MRUMenu(FileName:String);\r\n"));
  EXPECT_FALSE(Has(unit, "FileMenuClick"));
  EXPECT_TRUE(Has(unit, Snippet(15) + "procedure TMainFormEditor.MRUMenu(Filename:String);\r\n" +
                            Snippet(52) + Head("OpenRecent") + Snippet(53) + "end.\r\n"));
  for (const char* used : {"Recent", "OpenRecent", "SetMenuItem(WMenu,nil);"})
    EXPECT_TRUE(Has(Snippet(8), used)) << used;
  EXPECT_TRUE(Has(Snippet(11), "MRUMenu("));
}

TEST(MainUnit, WindowMenuFieldsAndSeparatorAreDeclaredOnce) {
  auto s = Editor();
  s.cbFileMenu = s.cbWindowMenu = true;
  std::string decls = ClassPart(MainUnit(s));
  EXPECT_EQ(Count(decls, Field("WMenu")), 1u);
  EXPECT_EQ(Count(decls, Field("N5")), 1u);
  // N5 stays in the File group, WMenu opens the Window group.
  EXPECT_TRUE(Has(decls, Field("N11") + Field("N5") + Field("N1")));
  EXPECT_TRUE(Has(decls, Field("CloseAllMenu") + Field("WMenu") + Field("WindowTileItem") +
                             Field("WindowCascadeItem") + Field("WindowArrangeItem") +
                             Field("StatusLine", "TStatusBar")));
}

TEST(MainUnit, WindowMenuAloneDeclaresItsSeparatorInItsOwnGroup) {
  auto s = Editor();
  s.cbWindowMenu = true;
  std::string unit = MainUnit(s);
  std::string decls = ClassPart(unit);
  EXPECT_TRUE(Has(decls, Field("MainMenu", "TMainMenu") + Field("ImageList", "TImageList") +
                             Field("WMenu") + Field("WindowTileItem") + Field("WindowCascadeItem") +
                             Field("WindowArrangeItem") + Field("N5") +
                             Field("StatusLine", "TStatusBar")));
  EXPECT_TRUE(Has(decls, Decl("WindowTile") + Decl("WindowCascade") + Decl("WindowArrange") +
                             Decl("WindowMenuClick")));
  EXPECT_TRUE(Has(unit, Head("WindowMenuClick") + Snippet(29) + "end.\r\n"));
  EXPECT_TRUE(Has(Snippet(29), "N5.Visible:=MDIChildCount>0"));
  for (const char* absent : {"Recent", "N11", "N1:", "CloseMenu", "Dialog: ", "OpenTheFile"})
    EXPECT_FALSE(Has(unit, absent)) << absent;
}

TEST(MainUnit, NoMenuMeansNoMenuFieldsDialogsOrMenuHandlers) {
  std::string unit = MainUnit(Editor());
  for (const char* absent : {"TMainMenu", "TImageList", "TMenuItem", "Dialog: ", "procedure File",
                             "procedure Edit", "procedure Window", "procedure Help"})
    EXPECT_FALSE(Has(unit, absent)) << absent;
  EXPECT_TRUE(Has(unit, Head("FormCreate")));
  EXPECT_TRUE(Has(unit, Head("ShowHint")));
}

TEST(MainUnit, MenuHandlersFollowTheirMenusInOrder) {
  auto s = Editor();
  s.cbEditMenu = s.cbHelpMenu = true;
  s.cbStatusLine = false;
  std::string unit = MainUnit(s);
  std::string expected = "{$R *.DFM}\r\n\r\n";
  for (int c = MenuFirst[kEditMenu]; c < MenuFirst[kEditMenu] + MenuCount[kEditMenu]; ++c)
    expected += Head(CommandHandler(c)) + Snippet(18 + c - MenuFirst[kEditMenu]);
  for (int c = MenuFirst[kHelpMenu]; c < MenuFirst[kHelpMenu] + MenuCount[kHelpMenu]; ++c)
    expected += Head(CommandHandler(c)) + Snippet(25 + c - MenuFirst[kHelpMenu]);
  EXPECT_TRUE(Has(unit, expected + "end.\r\n")) << Visible(unit);
  EXPECT_TRUE(Has(ClassPart(unit), Field("EditPasteItem") + Field("HelpContentsItem")));
}

// ---- single instance ----

TEST(MainUnit, ActivationHandlerIsTheLastDeclarationAndTheLastBody) {
  const std::string decl = "    procedure um_Activate(var msg: TMessage); Message umActivate;\r\n";
  const std::string head = "procedure TMainFormEditor.um_Activate(var msg: TMessage);\r\n";
  auto alone = Editor();
  alone.SingleInstanceApp = true;
  std::string unit = MainUnit(alone);
  EXPECT_TRUE(Has(unit, Decl("ShowHint") + decl + "  end;//csMainImpl\r\n"));
  EXPECT_TRUE(Has(unit, Snippet(6) + head + Snippet(30) + "end.\r\n"));

  auto all = alone;
  all.cbFileMenu = all.cbEditMenu = all.cbWindowMenu = all.cbHelpMenu = true;
  all.cbMRU = all.cbMRUReg = true;
  unit = MainUnit(all);
  EXPECT_TRUE(Has(unit, Decl("HelpAbout") + decl + "    Private\r\n     Reg:TRegistry;\r\n"));
  EXPECT_TRUE(Has(unit, Snippet(28) + head + Snippet(30) + "end.\r\n"));

  EXPECT_FALSE(Has(MainUnit(Editor()), "um_Activate"));
}

// ---- the template the unit is made of ----

TEST(MainUnitTemplate, HeadSnippetsHoldOnlyTheirPlaceholders) {
  std::string intf = Snippet(3), impl = Snippet(4);
  EXPECT_EQ(Count(intf, "%"), 1u);
  EXPECT_EQ(Count(intf, "%s"), 1u);
  EXPECT_EQ(Count(impl, "%"), 2u);
  EXPECT_EQ(Count(impl, "%s"), 2u);
  // Their fixed text, without the placeholders, sets how long a name may be.
  EXPECT_EQ(intf.size() - 2, 486u);
  EXPECT_EQ(impl.size() - 4, 83u);
}

// Each body follows a head the writer wrote: it opens the method (a var or
// const section may come first) and closes it with "end;" and an empty line,
// so that the next head stands apart. The registry FormCreate stops inside its
// method: the writer adds the last lines.
TEST(MainUnitTemplate, BodiesOpenAndCloseTheirMethod) {
  std::vector<int> bodies = {5, 6, 7, 15, 16, 17, 29, 30, 52, 53, 59};
  for (int n = 8; n <= 14; ++n) bodies.push_back(n);
  for (int n = 18; n <= 28; ++n) bodies.push_back(n);
  for (int n : bodies) {
    std::string body = Snippet(n);
    bool opens = body.rfind("begin //cs", 0) == 0 || body.rfind("begin // cs", 0) == 0 ||
                 body.rfind("var\r\n", 0) == 0 || body.rfind("const\r\n", 0) == 0;
    EXPECT_TRUE(opens) << n << ": " << Visible(body.substr(0, 40));
    EXPECT_TRUE(Has("\r\n" + body, "\r\nbegin //cs") || Has("\r\n" + body, "\r\nbegin // cs"))
        << n << " has no marker on its begin line";
    ASSERT_GE(body.size(), 8u) << n;
    EXPECT_EQ(body.substr(body.size() - 8), "end;\r\n\r\n") << n;
  }
  std::string mruCreate = Snippet(58);
  EXPECT_TRUE(Has(mruCreate, "\r\nbegin //csMruRegCreateProc\r\n"));
  EXPECT_NE(mruCreate.substr(mruCreate.size() - 8), "end;\r\n\r\n");
  EXPECT_EQ(mruCreate.substr(mruCreate.size() - 2), "\r\n");
  EXPECT_TRUE(Has(Snippet(17), "begin // csCloseAllProc\r\n"));
}

TEST(MainUnitTemplate, QuotedLinesStandInTheirBodies) {
  struct Quote {
    int snippet;
    const char* text;
  } quotes[] = {
      {5, "Application.OnHint := ShowHint;"},
      {8, "'Unsaved-'+IntToStr(Self.MdiChildCount+1)"},
      {8, "SetMenuItem(WMenu,nil);"},
      {15, "SetMenuItem(WMenu,nil);"},
      {16, "wm_SysCommand,61536"},
      {17, "wm_SysCommand,61536"},
      {22, "Tile;"},
      {23, "Cascade;"},
      {24, "ArrangeIcons;"},
      {25, "Application.HelpCommand(HELP_CONTENTS, 0);"},
      {26, "HELP_PARTIALKEY"},
      {27, "Application.HelpCommand(HELP_HELPONHELP, 0);"},
      {28, "TAboutForm"},
      {29, "N5.Visible:=MDIChildCount>0"},
      {52, "if Recent.Count>10 then Recent.Delete(10);"},
      {53, "Remove from list ?"},
      {58, "'\\software\\'+Application.Title+'\\MRU'"},
      {58, "MRUCOUNT"},
      {58, "Short%d"},
      {58, "Long%d"},
      {58, "[1..30]"},
      {59, "'\\software\\'+Application.Title+'\\MRU'"},
      {59, "MRUCOUNT"},
      {59, "SHAddToRecentDocs"},
  };
  for (const auto& q : quotes)
    EXPECT_TRUE(Has(Snippet(q.snippet), q.text)) << q.snippet << ": " << q.text;
}

}  // namespace
}  // namespace orvalen
