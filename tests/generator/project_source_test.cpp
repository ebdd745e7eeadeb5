#include "generator/project_source.h"

#include <gtest/gtest.h>

#include <string>

#include "generator/emitter.h"
#include "generator/wizard_settings.h"

namespace orvalen {
namespace {

std::string Source(const WizardSettings& s) {
  SnippetLibrary lib;
  platform::MemoryStream out;
  Emitter e(out, lib);
  WriteProjectSource(s, e);
  return out.Text();
}

TEST(ProjectSource, FileNameGetsExactlyOneSeparator) {
  WizardSettings s;
  s.AppName = "Editor";
  s.AppPath = "/home/me/Projects";
  EXPECT_EQ(ProjectFileName(s), "/home/me/Projects/Editor.DPR");
  s.AppPath = "/home/me/Projects/";
  EXPECT_EQ(ProjectFileName(s), "/home/me/Projects/Editor.DPR");
  s.AppPath = "";
  EXPECT_EQ(ProjectFileName(s), "Editor.DPR");
  s.AppPath = "rel";
  EXPECT_EQ(ProjectFileName(s), "rel/Editor.DPR");
  // A backslash is an ordinary character of a file name here, never a separator.
  s.AppPath = "dir\\";
  EXPECT_EQ(ProjectFileName(s), "dir\\/Editor.DPR");
}

TEST(ProjectSource, PlainVariant) {
  WizardSettings s;
  s.AppName = "Editor";
  EXPECT_EQ(Source(s),
            "program Editor;\r\n//csProgram\r\nuses\r\n  Forms,\r\n"
            "  Main in 'MAIN.PAS' {MainFormEditor};\r\n//csProgramBody\r\n{$R *.RES}\r\n\r\n"
            "begin\r\n  Application.CreateForm(TMainFormEditor, MainFormEditor);\r\n"
            "  Application.Run;\r\nend.\r\n");
}

TEST(ProjectSource, SingleInstanceVariantSearchesInitialisesAndCreates) {
  WizardSettings s;
  s.AppName = "Editor";
  s.SingleInstanceApp = true;
  std::string text = Source(s);
  EXPECT_EQ(text.find("program Editor;\r\n//csProgram\r\nuses\r\n  Forms,\r\n  Windows,\r\n"), 0u);
  EXPECT_NE(text.find("//csSingleInstance\r\n"), std::string::npos);
  EXPECT_NE(text.find("'TAppBuilder'"), std::string::npos);
  EXPECT_NE(text.find("'TMainFormEditor'"), std::string::npos);
  EXPECT_NE(text.find("umactivate, 0, 0"), std::string::npos);
  EXPECT_NE(text.find("Application.Initialize;"), std::string::npos);
  EXPECT_NE(text.find("CreateForm(TMainFormEditor, MainFormEditor)"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 6), "end.\r\n");
  s.SingleInstanceApp = false;
  text = Source(s);
  EXPECT_EQ(text.find("  Windows,"), std::string::npos);
  EXPECT_EQ(text.find("Initialize"), std::string::npos);
}

TEST(ProjectSource, SingleInstanceTextForTheLongestNameIs877Characters) {
  SnippetLibrary lib;
  std::string name(61, 'X');
  std::string body(lib.Snippet(2));
  std::string formatted = Format(body, {name, name, name, name});
  EXPECT_EQ(formatted.size(), 877u);
  // Well past the format buffer's size the text is still written whole.
  WizardSettings s;
  s.AppName = std::string(300, 'Y');
  s.SingleInstanceApp = true;
  std::string text = Source(s);
  EXPECT_EQ(text.size(), 42 - 2 + 300 + body.size() - 8 + 4 * 300);
}

}  // namespace
}  // namespace orvalen
