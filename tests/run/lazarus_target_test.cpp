// The Lazarus target as the writers produce it: which files, in which
// encoding and line ends, the widgetset a project names, and the alternative
// snippets the run picks. That the projects build and run is proven with
// lazbuild and Xvfb (tests/lazarus, label lazarus).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "generator/settings_description.h"
#include "generator/snippet_library.h"
#include "platform/output_sink.h"
#include "platform/resources.h"
#include "platform/streams.h"
#include "run/generation_run.h"

namespace orvalen {
namespace {

// Whether the bytes are well-formed UTF-8 as far as sequence lengths go.
bool IsUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t more = 0;
    if (c >= 0xF0 && c < 0xF5)
      more = 3;
    else if (c >= 0xE0 && c < 0xF0)
      more = 2;
    else if (c >= 0xC2 && c < 0xE0)
      more = 1;
    else if (c >= 0x80)
      return false;
    if (i + more >= s.size() && more > 0) return false;
    for (std::size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += 1 + more;
  }
  return true;
}

WizardSettings Lazarus(bool mdi, bool single) {
  WizardSettings s;
  s.Target = WizardSettings::kTargetLcl;
  s.AppName = "Editor";
  s.AppPath = "out";
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = true;
  s.cbMRU = s.cbMRUReg = true;
  s.cbMDIApp = s.cbMDIform = mdi;
  s.SingleInstanceApp = s.siDDE = single;
  s.ExtListBox = {"Texte \u00e9t\u00e9|*.txt", "\u65e5\u672c|*.jp"};
  s.Speedbar = {11100, kSpeedbarSpace, 11111, 11117};
  return s;
}

std::map<std::string, std::string> FilesOf(const WizardSettings& s) {
  platform::MemorySink memory;
  GenerateApplication(s, memory);
  std::map<std::string, std::string> files;
  for (const auto& f : memory.Files()) files[f.path] = f.bytes;
  return files;
}

// Every option set gives the same eight files, all UTF-8 text with LF line
// ends; the typed document types arrive as typed; no binary form files.
TEST(LazarusTarget, WritesTheLazarusProjectAsUtf8WithLfLineEnds) {
  const std::vector<std::string> expected = {
      "out/Editor.lpi",   "out/Editor.lpr",   "out/MAIN.PAS",     "out/MAIN.lfm",
      "out/MDICHILD.PAS", "out/MDICHILD.lfm", "out/STDABOUT.PAS", "out/STDABOUT.lfm"};
  for (bool mdi : {true, false}) {
    for (bool single : {true, false}) {
      auto files = FilesOf(Lazarus(mdi, single));
      std::vector<std::string> names;
      for (const auto& [path, bytes] : files) {
        names.push_back(path);
        EXPECT_EQ(bytes.find('\r'), std::string::npos) << path;
        EXPECT_TRUE(IsUtf8(bytes)) << path;
        EXPECT_FALSE(bytes.empty()) << path;
      }
      EXPECT_EQ(names, expected);
      EXPECT_NE(
          files["out/MAIN.lfm"].find("Filter = 'Texte \u00e9t\u00e9|*.txt|\u65e5\u672c|*.jp'"),
          std::string::npos);
      // The child unit's copyright sign, stored in the code page, arrives as UTF-8.
      EXPECT_NE(files["out/MDICHILD.PAS"].find("\u00a9"), std::string::npos);
    }
  }
}

// The program, its project and its forms agree with what the LCL needs; an
// MDI frame is built for qt5, the one widgetset with MDI, an ordinary window
// for the default one.
TEST(LazarusTarget, ProjectNamesTheWidgetsetAndTheUnitsTheLclNeeds) {
  const struct {
    bool mdi, single;
    std::vector<std::string> present, absent;
  } cases[] = {
      {true,
       false,
       {"Value=\"qt5\"", "Application.Title := 'Editor';", "FormStyle = fsMDIForm",
        "  FormStyle = fsMDIChild\n", "OnClose = FormClose", "{$R *.lfm}"},
       {"TPrinterSetupDialog\n    Left", "Windows,", "ShlObj", "SHAddToRecentDocs", "PostMessage(",
        "{$R *.DFM}", "Longint(EmptyKey)"}},
      {false,
       false,
       {"Interfaces,", "cthreads,", "SyntaxMode Value=\"Delphi\"",
        "PackageName Value=\"Printer4Lazarus\"", "UseVersionInfo Value=\"True\""},
       {"LCLWidgetType", "FormStyle = fsMDIChild\n", "  FormStyle = fsMDIForm\n"}},
      {true,
       true,
       {"TSimpleIPCClient", "TSimpleIPCServer", "InstanceChannel", "TLMessage"},
       {"FindWindow", "TMessage)"}},
  };
  for (const auto& c : cases) {
    std::string all;
    for (const auto& [path, bytes] : FilesOf(Lazarus(c.mdi, c.single))) all += bytes;
    for (const auto& text : c.present)
      EXPECT_NE(all.find(text), std::string::npos) << text << " mdi=" << c.mdi;
    for (const auto& text : c.absent)
      EXPECT_EQ(all.find(text), std::string::npos) << text << " mdi=" << c.mdi;
  }
}

// Without an MDI frame a document form that is an MDI child can never be
// created (File > New would fail every time): in both targets the document
// window is then an ordinary form, and File > New makes one.
TEST(LazarusTarget, WithoutAnMdiFrameTheDocumentIsAnOrdinaryWindowInBothTargets) {
  for (const char* target : {WizardSettings::kTargetVcl, WizardSettings::kTargetLcl}) {
    for (bool mdi : {true, false}) {
      WizardSettings s = Lazarus(mdi, false);
      s.Target = target;
      if (!s.Lazarus()) s.ExtListBox = {"Text|*.txt"};
      auto files = FilesOf(s);
      const std::string child = files[s.Lazarus() ? "out/MDICHILD.lfm" : "out/MDICHILD.TXT"];
      const std::string main = files["out/MAIN.PAS"];
      EXPECT_EQ(child.find("fsMDIChild") != std::string::npos, mdi) << target;
      // The MDI frame's File > New tells the frame apart; the ordinary window always makes one.
      EXPECT_EQ(main.find("if FormStyle = fsMDIForm then\r\n  begin\r\n    Title :=") !=
                        std::string::npos ||
                    main.find("if FormStyle = fsMDIForm then\n  begin\n    Title :=") !=
                        std::string::npos,
                mdi)
          << target;
      EXPECT_EQ(main.find("each document is an ordinary window") != std::string::npos, !mdi)
          << target;
    }
  }
}

// A snippet both the Lazarus target and the ordinary window replace needs an
// alternative for the two together, or one of them would silently lose; and
// every alternative keeps the template's form (CR LF lines, no separator).
TEST(LazarusTarget, AlternativeSnippetsAreCompleteAndWellFormed) {
  int found = 0;
  for (int n = 0; n < kSnippetCount; ++n) {
    auto find = [](const std::string& name) {
      return platform::FindResource(name, platform::ResourceType::RCData);
    };
    const auto names = VariantResourceNames(n, {true, true});  // LCL_SDI, LCL, SDI
    ASSERT_EQ(names.size(), 3u);
    if (find(names[1]) && find(names[2])) {
      EXPECT_TRUE(find(names[0])) << names[0] << " is missing beside " << names[1] << " and "
                                  << names[2];
    }
    for (const auto& name : names) {
      auto bytes = find(name);
      if (!bytes) continue;
      ++found;
      std::string text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
      EXPECT_EQ(text.find('|'), std::string::npos) << name;
      for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
          EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << name << " at " << i;
        }
    }
  }
  EXPECT_GT(found, 0);
}

// CR LF becomes LF also where a write ends between the two; a lone CR stays.
TEST(LazarusTarget, LfLineEndsAcrossWrites) {
  const struct {
    std::vector<std::string> writes;
    std::string out;
  } cases[] = {
      {{"a\r\nb\r\n"}, "a\nb\n"}, {{"a\r", "\nb"}, "a\nb"}, {{"a\r", "b\r"}, "a\rb\r"},
      {{"\r", "\r\n"}, "\r\n"},   {{"a\n"}, "a\n"},
  };
  for (const auto& c : cases) {
    platform::MemoryStream memory;
    platform::LfLineEnds lf(memory);
    for (const auto& w : c.writes) lf.Write(w);
    lf.Finish();
    EXPECT_EQ(memory.Text(), c.out) << ::testing::PrintToString(c.writes);
  }
}

// The target is checked as every setting is: an unknown one is refused, and a
// code page other than the default makes no sense for UTF-8 output.
TEST(LazarusTarget, TargetSettingIsChecked) {
  const struct {
    std::string target;
    int codePage;
    bool fine;
  } cases[] = {
      {"vcl", 1252, true},  {"lcl", 1252, true},  {"vcl", 1251, true},
      {"lcl", 1251, false}, {"LCL", 1252, false}, {"", 1252, false},
  };
  for (const auto& c : cases) {
    WizardSettings s;
    s.Target = c.target;
    s.CodePage = c.codePage;
    auto problem = CheckSettings(s);
    EXPECT_EQ(!problem, c.fine) << c.target << " " << c.codePage;
    if (problem) {
      EXPECT_EQ(problem->setting->control, "Target");
    }
    if (!c.fine) {
      platform::MemorySink memory;
      EXPECT_THROW(GenerateApplication(s, memory), ESettingsError) << c.target;
      EXPECT_TRUE(memory.Files().empty());
    }
  }
}

}  // namespace
}  // namespace orvalen
