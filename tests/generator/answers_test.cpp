#include "generator/answers.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "generator/command_table.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

WizardSettings Rich() {
  WizardSettings s;
  s.cbFileMenu = s.cbEditMenu = s.cbHelpMenu = s.cbMRU = s.cbMRUReg = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt", "Caf\u00e9 \"menus\"|*.cafe;*.caf"};
  s.Speedbar = {kGlyphId + 0, kSpeedbarSpace, kGlyphId + 7};
  s.AppName = "Editor";
  s.AppPath = "/tmp/some where/\u00e9";
  s.cbMDIApp = false;
  s.cbMDIform = true;
  s.cbHints = false;
  s.SingleInstanceApp = s.siDDE = true;
  s.CodePage = 1250;
  return s;
}

TEST(Answers, WhatIsWrittenReadsBackAsTheSameSettings) {
  for (const WizardSettings& s : {WizardSettings{}, Rich()}) {
    WizardSettings back = ReadAnswers(WriteAnswers(s, true), "a.json");
    EXPECT_EQ(back, s) << WriteAnswers(s, true);
    EXPECT_EQ(ReadAnswers(WriteAnswers(s, false), "a.json").AppPath, "");
  }
  // A file that gives only a name keeps every other default.
  WizardSettings minimal =
      ReadAnswers(R"({"format": "orvalen-answers", "version": 1, "name": "Tiny"})", "a.json");
  WizardSettings expected;
  expected.AppName = "Tiny";
  expected.AppPath = "";
  EXPECT_EQ(minimal, expected);
}

TEST(Answers, ABadFileIsRefusedWithAMessageNamingThePlace) {
  const std::string head = R"({"format": "orvalen-answers", "version": 1, )";
  const struct {
    std::string json, message;
  } cases[] = {
      {"{\n  \"format\": \"orvalen-answers\",\n  \"version\": 1,\n  \"name\": Editor\n}",
       "a.json: line 4, column 11: syntax error"},
      {"", "a.json: line 1, column 1: "},
      {"[1]", "a.json: an answer file is one object in { }, got a list"},
      {R"({"version": 1})", "a.json: format: not an answer file"},
      {R"({"format": "orvalen-answers", "version": 2})", "a.json: version: version 2 is newer"},
      {R"({"format": "orvalen-answers", "version": "1"})",
       "a.json: version: expected a whole number, got the text \"1\""},
      {head + R"("mdii": true})", "a.json: mdii: unknown key"},
      {head + R"("menus": {"fiel": true}})", "a.json: menus.fiel: unknown key"},
      {head + R"("menus": {"file": "yes"}})",
       "a.json: menus.file: expected true or false, got the text \"yes\""},
      {head + R"("hints": 1})", "a.json: hints: expected true or false, got the number 1"},
      {head + R"("name": "A", "name": "B"})", "a.json: name: the key is given twice"},
      {head + R"("fileTypes": "*.txt"})", "a.json: fileTypes: expected a list in [ ], got"},
      {head + R"("menus": {"file": true}, "fileTypes": ["ok|*.a", "nobar"]})",
       "a.json: fileTypes[1]: The document type \"nobar\" needs a \"|\""},
      {head + R"("name": "begin"})",
       "a.json: name: The application name \"begin\" is a reserved word of Object Pascal."},
      {head + R"("menus": {"file": true}, "speedbar": ["FileNew", "FileNope"]})",
       "a.json: speedbar[1]: unknown command \"FileNope\""},
      {head + R"("speedbar": ["EditCut"]})", "a.json: speedbar: "},
      {head + "\"menus\": {\"file\": true}, \"fileTypes\": [\"\u0416|*.a\"]}",
       "a.json: fileTypes[0]: The character \"\u0416\" (U+0416) cannot be written in code page "
       "1252."},
      {head + R"("codePage": 437})", "a.json: codePage: Code page 437 is unknown"},
  };
  for (const auto& c : cases) {
    try {
      ReadAnswers(c.json, "a.json");
      ADD_FAILURE() << "accepted: " << c.json;
    } catch (const EAnswersError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.json << "\n" << e.what();
    }
  }
}

TEST(Answers, SavingReplacesTheFileWholeAndAMissingFileIsNamed) {
  testing::TempDir dir;
  SaveAnswersFile(dir.File("a.json"), Rich(), true);
  SaveAnswersFile(dir.File("a.json"), WizardSettings{}, true);
  EXPECT_EQ(LoadAnswersFile(dir.File("a.json")).AppName, "AppName");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  EXPECT_THROW(SaveAnswersFile(dir.File("no/such/a.json"), Rich(), true), Error);
  try {
    LoadAnswersFile(dir.File("missing.json"));
    ADD_FAILURE();
  } catch (const EAnswersError& e) {
    EXPECT_EQ(std::string(e.what()),
              dir.File("missing.json") + ": cannot be read: No such file or directory");
  }
}

// A directory the user may read but not write: the message gives the
// system's reason for the failing step, not what a clean-up met afterwards.
// Root may write anywhere, so the save then runs as nobody.
TEST(Answers, ASaveThePermissionsRefuseSaysSoAndLeavesNothingBehind) {
  namespace fs = std::filesystem;
  testing::TempDir dir;
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec;
  fs::permissions(dir.Path(), readOnly | fs::perms::owner_write);
  fs::create_directories(dir.File("locked"));
  fs::permissions(dir.File("locked"), readOnly);
  const std::string path = dir.File("locked/a.json");
  int channel[2];
  ASSERT_EQ(::pipe(channel), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    std::string message = "saved";
    try {
      SaveAnswersFile(path, Rich(), true);
    } catch (const Error& e) {
      message = e.what();
    }
    [[maybe_unused]] ssize_t n = ::write(channel[1], message.data(), message.size());
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string message;
  char chunk[256];
  for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) > 0;)
    message.append(chunk, static_cast<std::size_t>(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child could not drop root";
  EXPECT_EQ(message, "Cannot write the answer file " + path + ": Permission denied");
  EXPECT_TRUE(fs::is_empty(dir.File("locked")));
  fs::permissions(dir.File("locked"), fs::perms::owner_all);  // so the directory can go
}

}  // namespace
}  // namespace orvalen
