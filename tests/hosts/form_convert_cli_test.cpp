// orvalen-gen --convert as a script calls it: a form text in, a binary form
// file out, the exit status and the messages on the two output streams.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/test_support.h"
#include "units/form_conversion.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using testing::Quote;

struct RunResult {
  int status;
  std::string out, err;
};

// Runs orvalen-gen with standard output and standard error kept apart.
RunResult RunConvert(const TempDir& dir, const std::string& args, bool asOtherUser = false) {
  std::string errFile = dir.File("stderr.log");
  testing::RunResult r = testing::RunOrvalenGen("--convert " + args, errFile, asOtherUser);
  return {r.status, r.out, ReadFile(errFile)};
}

const char kForm[] =
    "object MainFormEditor: TMainFormEditor\r\n"
    "  Left = 214\r\n"
    "  Caption = 'MainForm'\r\n"
    "  Font.Style = []\r\n"
    "  object StatusLine: TStatusBar\r\n"
    "    SimplePanel = True\r\n"
    "  end\r\n"
    "end\r\n";

TEST(FormConvertCommand, WritesTheBinaryFormFileAndPrintsItsPath) {
  TempDir dir;
  std::string text = dir.File("MAIN.TXT"), bin = dir.File("MAIN.DFM");
  WriteFile(text, kForm);
  WriteFile(bin, "an older file, longer than the new one ................................");
  auto r = RunConvert(dir, Quote(text) + " " + Quote(bin));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, bin + "\n");
  EXPECT_EQ(r.err, "");
  auto expected = ObjectTextToResource(kForm);
  EXPECT_EQ(ReadFile(bin), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(ReadFile(bin).substr(0, 18), std::string("\xFF\x0A\x00TMAINFORMEDITOR", 18));
}

TEST(FormConvertCommand, ATextThatDoesNotParseLeavesAnEmptyBinaryFile) {
  TempDir dir;
  std::string text = dir.File("MAIN.TXT"), bin = dir.File("MAIN.DFM");
  std::string broken = kForm;
  // A quote that ends the string early, as a quote typed into a document
  // type's description would.
  broken.replace(broken.find("'MainForm'"), 10, "'Main's'");
  WriteFile(text, broken);
  WriteFile(bin, "stale bytes of an earlier conversion");
  auto r = RunConvert(dir, Quote(text) + " " + Quote(bin));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  // 'Main' is a whole string; the s after it starts a property without its "=".
  EXPECT_EQ(r.err, "orvalen-gen: '=' expected on line 3\n");
  ASSERT_TRUE(std::filesystem::exists(bin));
  EXPECT_EQ(std::filesystem::file_size(bin), 0u);
  EXPECT_EQ(ReadFile(text), broken);
}

TEST(FormConvertCommand, EachParseErrorReportsItsReasonAndLine) {
  TempDir dir;
  std::string text = dir.File("F.TXT"), bin = dir.File("F.DFM");
  struct Case {
    std::string form, message;
  } cases[] = {
      {"object A: TB\r\n  Data = {\r\n  0011\r\n  223}\r\nend\r\n",
       "Odd number of hexadecimal digits on line 4"},
      {"object A: TB\r\n  Tag = 4294967296\r\nend\r\n",
       "Integer 4294967296 does not fit in 32 bits on line 2"},
      {"object A: TB\r\n  Left = 1\r\n", "Missing end on line 2"},
      {"object A: TB\r\nend\r\nend\r\n", "Text after the last end on line 3"},
  };
  for (const auto& c : cases) {
    WriteFile(text, c.form);
    auto r = RunConvert(dir, Quote(text) + " " + Quote(bin));
    EXPECT_EQ(r.status, 1) << c.form;
    EXPECT_EQ(r.err, "orvalen-gen: " + c.message + "\n");
    EXPECT_EQ(std::filesystem::file_size(bin), 0u) << c.form;
  }
}

TEST(FormConvertCommand, UnreadableInputAndUncreatableOutputExitOne) {
  TempDir dir;
  std::string text = dir.File("MAIN.TXT");
  WriteFile(text, kForm);

  auto missing = RunConvert(dir, Quote(dir.File("NONE.TXT")) + " " + Quote(dir.File("NONE.DFM")));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "orvalen-gen: " + dir.File("NONE.TXT") +
                             ": cannot be read: No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("NONE.DFM")));

  std::string nowhere = dir.File("no/such/dir/MAIN.DFM");
  auto uncreatable = RunConvert(dir, Quote(text) + " " + Quote(nowhere));
  EXPECT_EQ(uncreatable.status, 1);
  EXPECT_EQ(uncreatable.err, "orvalen-gen: Cannot create file " + nowhere + "\n");

  std::string locked = dir.File("LOCKED.TXT");
  WriteFile(locked, kForm);
  chmod(locked.c_str(), 0);
  auto unreadable = RunConvert(dir, Quote(locked) + " " + Quote(dir.File("L.DFM")), true);
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "orvalen-gen: " + locked + ": cannot be read: Permission denied\n");
}

TEST(FormConvertCommand, ConvertingAFileOntoItselfIsRefusedAndKeepsTheText) {
  TempDir dir;
  std::string text = dir.File("MAIN.TXT");
  WriteFile(text, "object A: TB\r\n  Left = 1.5\r\nend\r\n");
  auto r = RunConvert(dir, Quote(text) + " " + Quote(dir.Str() + "/./MAIN.TXT"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("the same file"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(text), "object A: TB\r\n  Left = 1.5\r\nend\r\n");
}

TEST(FormConvertCommand, MissingOperandsAreBadArguments) {
  TempDir dir;
  auto r = RunConvert(dir, Quote(dir.File("MAIN.TXT")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("needs a value"), std::string::npos) << r.err;
  auto both = RunConvert(dir, "a.txt b.dfm " + Quote(dir.File("x")));
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("--convert takes no DIRECTORY"), std::string::npos) << both.err;
}

}  // namespace
}  // namespace orvalen
