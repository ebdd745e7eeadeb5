// The form descriptions within a whole run and through orvalen-gen: where
// they stand in the order of files, that each binary form file is the
// conversion of the text beside it, and the refusal of a filter that would
// not fit the dialog objects.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/filter_string.h"
#include "generator/wizard_settings.h"
#include "run/generation_run.h"
#include "tests/units/form_test_support.h"
#include "units/form_conversion.h"
#include "units/main_form.h"
#include "units/main_unit.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

std::vector<std::string> Names(const std::vector<std::string>& paths) {
  std::vector<std::string> names;
  for (const auto& p : paths) names.push_back(std::filesystem::path(p).filename().string());
  return names;
}

WizardSettings Settings(const TempDir& dir) {
  WizardSettings s;
  s.AppName = "Editor";
  s.AppPath = dir.Str();
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = true;
  s.cbMRU = true;
  s.ExtListBox = {"Bob's text (*.txt)|*.txt"};
  s.Speedbar = {kGlyphId, kSpeedbarSpace, kGlyphId + 1};
  return s;
}

std::size_t IndexOf(const std::vector<std::string>& names, const std::string& name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return i;
  ADD_FAILURE() << name << " was not written";
  return names.size();
}

TEST(FormRun, EachTextFormIsFollowedByItsConversion) {
  for (bool mdi : {true, false}) {
    TempDir dir;
    auto s = Settings(dir);
    s.cbMDIApp = s.cbMDIform = mdi;
    auto names = Names(GenerateApplication(s).files);
    // The child form is written in every run: the main unit names its unit.
    EXPECT_EQ(IndexOf(names, "MAIN.TXT"), IndexOf(names, "MAIN.PAS") + 1) << mdi;
    EXPECT_EQ(IndexOf(names, "MAIN.DFM"), IndexOf(names, "MAIN.TXT") + 1);
    EXPECT_EQ(IndexOf(names, "MDICHILD.TXT"), IndexOf(names, "MDICHILD.PAS") + 1);
    EXPECT_EQ(IndexOf(names, "MDICHILD.DFM"), IndexOf(names, "MDICHILD.TXT") + 1);
    EXPECT_EQ(IndexOf(names, "STDABOUT.DFM"), IndexOf(names, "STDABOUT.TXT") + 1);
    EXPECT_EQ(names.back(), "STDABOUT.DFM");
    for (const char* form : {"MAIN", "MDICHILD", "STDABOUT"}) {
      auto binary = ObjectTextToResource(ReadFile(dir.File(std::string(form) + ".TXT")));
      EXPECT_EQ(ReadFile(dir.File(std::string(form) + ".DFM")),
                std::string(binary.begin(), binary.end()))
          << form;
    }
  }
}

// The child and about forms depend on nothing but whether the main form is an
// MDI frame: without one the document form is an ordinary window.
TEST(FormRun, ChildFormFilesDependOnlyOnTheMdiFrame) {
  TempDir one, two, three;
  auto a = Settings(one);
  auto b = Settings(two);
  b.AppName = "Other";
  b.ExtListBox.clear();
  b.cbHints = false;
  auto c = Settings(three);
  c.cbMDIApp = c.cbMDIform = false;
  GenerateApplication(a);
  GenerateApplication(b);
  GenerateApplication(c);
  for (const char* file : {"MDICHILD.TXT", "MDICHILD.DFM", "STDABOUT.TXT", "STDABOUT.DFM"})
    EXPECT_EQ(ReadFile(one.File(file)), ReadFile(two.File(file))) << file;
  EXPECT_NE(ReadFile(one.File("MAIN.DFM")), ReadFile(two.File("MAIN.DFM")));
  std::string ordinary = ReadFile(one.File("MDICHILD.TXT"));
  const std::string style = "  FormStyle = fsMDIChild\r\n";
  ASSERT_NE(ordinary.find(style), std::string::npos);
  ordinary.erase(ordinary.find(style), style.size());
  EXPECT_EQ(ReadFile(three.File("MDICHILD.TXT")), ordinary);
  for (const char* file : {"STDABOUT.TXT", "STDABOUT.DFM"})
    EXPECT_EQ(ReadFile(one.File(file)), ReadFile(three.File(file))) << file;
}

WizardSettings WithLongFilter(const TempDir& dir) {
  auto s = Settings(dir);
  s.ExtListBox = {"Long|" + std::string(kMaxFilterTextLength - 5, 'x'), "|"};
  return s;
}

TEST(FormRun, AFilterTooLongIsRefusedBeforeAnyFileIsWritten) {
  TempDir dir;
  auto s = WithLongFilter(dir);
  s.ExtListBox.pop_back();  // exactly the longest filter that fits
  EXPECT_NO_THROW(GenerateApplication(s));

  TempDir refused;
  EXPECT_THROW(GenerateApplication(WithLongFilter(refused)), ESettingsError);
  EXPECT_TRUE(std::filesystem::is_empty(refused.Path()));
}

testing::RunResult RunGen(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& a : args) line += testing::Quote(a) + " ";
  return testing::RunOrvalenGen(line);
}

TEST(FormRun, OrvalenGenRefusesAFilterTooLongWithExitTwo) {
  TempDir dir;
  std::string target = dir.File("app");
  // Entries whose parts each fit the editor, together longer than the dialogs take.
  std::vector<std::string> args = {"-m", "file"};
  for (std::size_t length = 0; length <= kMaxFilterTextLength; length += 256)
    for (std::string arg : {std::string("-e"), "Long|" + std::string(250, 'x')})
      args.push_back(arg);
  args.push_back(target);
  auto r = RunGen(args);
  EXPECT_EQ(r.status, 2) << r.out;
  EXPECT_NE(r.out.find("too long"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(FormRun, OrvalenGenCarriesAQuotedDescriptionIntoTheDialogs) {
  TempDir dir;
  std::string target = dir.File("app");
  auto r = RunGen({"-m", "file", "-e", "Bob's files|*.bob", "-e", "All|*.*", target});
  ASSERT_EQ(r.status, 0) << r.out;
  std::string text = ReadFile(target + "/MAIN.TXT");
  EXPECT_NE(text.find("    Filter = 'Bob''s files|*.bob|All|*.*'\r\n"), std::string::npos);
  std::string binary = ReadFile(target + "/MAIN.DFM");
  std::string filter = "Bob's files|*.bob|All|*.*";
  std::string value =
      "\x06"
      "Filter\x06" +
      std::string(1, static_cast<char>(filter.size())) + filter;
  EXPECT_NE(binary.find(value), std::string::npos);
  EXPECT_NE(binary.find(value, binary.find(value) + 1), std::string::npos) << "in both dialogs";
}

// The words of a line of text, split at blanks and line ends.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line) {
    if (c == ' ' || c == '\r' || c == '\n') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The form binds each component to a field and each event to a method of the
// main unit's class: every handler the form names must be declared there, or
// the form cannot be loaded; every component has its field except the
// submenus and separators the unit leaves without one.
TEST(FormRun, MainFormNamesOnlyWhatTheMainUnitDeclares) {
  const std::set<std::string> withoutField = {"FileMenu", "EditMenu", "HelpMenu", "N2", "N3", "N4"};
  for (int menus = 0; menus < 16; ++menus) {
    for (int recent = 0; recent < 3; ++recent) {
      for (int flags = 0; flags < 4; ++flags) {
        WizardSettings s;
        s.cbFileMenu = menus & 1;
        s.cbEditMenu = menus & 2;
        s.cbWindowMenu = menus & 4;
        s.cbHelpMenu = menus & 8;
        s.cbMRU = recent > 0;
        s.cbMRUReg = recent > 1;
        s.cbStatusLine = flags & 1;
        s.cbHints = flags & 2;
        for (int menu = 0; menu < kMenuCount; ++menu)
          if (s.MenuChecked(menu))
            for (int k = 0; k < MenuCount[menu]; ++k)
              s.Speedbar.push_back(kGlyphId + MenuFirst[menu] + k);
        std::string label =
            std::to_string(menus) + "/" + std::to_string(recent) + "/" + std::to_string(flags);
        std::string form = testing::WrittenText([&](Emitter& e) { WriteMainFormText(s, e); });
        std::string unit = testing::WrittenText([&](Emitter& e) { WriteMainUnit(s, e); });
        auto head = unit.find(" = class(TForm)");
        ASSERT_NE(head, std::string::npos) << label;
        std::string cls = unit.substr(head, unit.find("\r\nend;", head) - head);

        for (const auto& line : testing::Lines(form)) {
          auto words = Words(line);
          if (words.size() == 3 && words[0] == "object" && line[0] == ' ') {  // not the form
            std::string name = words[1].substr(0, words[1].size() - 1);
            std::string field = "    " + name + ": " + words[2] + ";";
            if (withoutField.count(name))
              EXPECT_EQ(cls.find(field), std::string::npos) << label << " " << field;
            else
              EXPECT_NE(cls.find(field), std::string::npos) << label << " " << field;
          } else if (words.size() == 3 && words[0].starts_with("On") && words[1] == "=") {
            EXPECT_NE(cls.find("    procedure " + words[2] + "(Sender: TObject);\r\n"),
                      std::string::npos)
                << label << " " << line;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvalen
