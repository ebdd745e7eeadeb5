// orvalen-gen as a script calls it: arguments in, files and exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/test_support.h"

namespace orvalen {
namespace {

using testing::TempDir;

using testing::Quote;

testing::RunResult RunGen(const std::string& args) {
  return testing::RunOrvalenGen(args);
}

TEST(OrvalenGen, GeneratesIntoANewDirectoryAndListsTheFiles) {
  TempDir dir;
  std::string target = dir.File("new/app");
  auto r = RunGen("-n Editor -m file,edit --single-instance " + Quote(target));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find(target + "/Editor.DPR\n"), 0u) << r.out;
  EXPECT_NE(testing::ReadFile(target + "/Editor.DPR").find("  Windows,\r\n"), std::string::npos);
}

TEST(OrvalenGen, BadArgumentsExitTwoWithAClearMessage) {
  TempDir dir;
  struct Case {
    std::string args, message;
  } cases[] = {
      {"-n begin " + dir.Str(), "The application name is not a valid identifier."},
      {"-n 1x " + dir.Str(), "The application name is not a valid identifier."},
      {"-n '' " + dir.Str(), "An application name is required!"},
      {"-n " + std::string(62, 'a') + " " + dir.Str(), "61"},
      {"-m file,tools " + dir.Str(), "unknown menu 'tools'"},
      {"-m edit -s FileNew " + dir.Str(), "needs the File menu"},
      {"-m file -s FileNope " + dir.Str(), "unknown speedbar command 'FileNope'"},
      {"-m file -e nobar " + dir.Str(), "DESCRIPTION|PATTERNS"},
      {"--recent " + dir.Str(), "needs the File menu"},
      {"--frobnicate " + dir.Str(), "unknown option '--frobnicate'"},
      {"", "no DIRECTORY given"},
      {"-n", "needs a value"},
      {"-m file -e 'T\u00e9xt|*.t' -e '\u0416|*.t' " + dir.Str(),
       "The character \"\u0416\" (U+0416) cannot be written in code page 1252."},
      {"--codepage 437 " + dir.Str(), "Code page 437 is unknown"},
      {"--codepage 12x " + dir.Str(), "--codepage takes a number, got '12x'"},
      {"-m file -e \"$(printf 'T\\351xt|*.t')\" " + dir.Str(),
       "not valid UTF-8: byte 0xE9 at offset 1"},
  };
  for (const auto& c : cases) {
    auto r = RunGen(c.args);
    EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

// The document types, typed as UTF-8, reach both form files as the target code page's bytes.
TEST(OrvalenGen, DocumentTypesAreWrittenInTheTargetsCodePage) {
  const struct {
    std::string args, filter;
  } cases[] = {
      {"-e 'T\u00e9xt|*.txt'", "T\xE9xt|*.txt"},
      {"--codepage 1251 -e '\u0416x|*.txt'", "\xC6x|*.txt"},
      {"--codepage 932 -e '\u65e5\u672c|*.jp'", "\x93\xFA\x96\x7B|*.jp"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    auto r = RunGen("-m file " + c.args + " " + Quote(dir.Str()));
    ASSERT_EQ(r.status, 0) << c.args << "\n" << r.out;
    std::string text = testing::ReadFile(dir.File("MAIN.TXT"));
    EXPECT_NE(text.find("    Filter = '" + c.filter + "'\r\n"), std::string::npos) << c.args;
    std::string binary = testing::ReadFile(dir.File("MAIN.DFM"));
    EXPECT_NE(binary.find("\x06"
                          "Filter\x06" +
                          std::string(1, static_cast<char>(c.filter.size())) + c.filter),
              std::string::npos)
        << c.args;
  }
}

TEST(OrvalenGen, AFailedGenerationExitsOneWithTheMessage) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("Editor.DPR"));  // a directory where the file goes
  auto r = RunGen("-n Editor " + dir.Str());
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("Cannot create file " + dir.File("Editor.DPR")), std::string::npos) << r.out;
}

TEST(OrvalenGen, HelpAndVersion) {
  auto help = RunGen("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--convert TEXTFORM BINFORM"), std::string::npos);
  auto version = RunGen("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.find("orvalen-gen "), 0u);
}

}  // namespace
}  // namespace orvalen
