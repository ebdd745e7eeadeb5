// orvalen-gen as a script calls it: arguments in, files and exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "generator/answers.h"
#include "generator/command_table.h"
#include "hosts/gen_command_line.h"
#include "tests/generator/document_type_cases.h"
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
      {"-n begin " + dir.Str(),
       "The application name \"begin\" is a reserved word of Object Pascal."},
      {"-n Forms " + dir.Str(),
       "The application name \"Forms\" is the name of a unit the generated program uses."},
      {"-n 1x " + dir.Str(), "The application name is not a valid identifier."},
      {"-n '' " + dir.Str(), "An application name is required!"},
      {"-n " + std::string(62, 'a') + " " + dir.Str(), "61"},
      {"-m file,tools " + dir.Str(), "unknown menu 'tools'"},
      {"-m edit -s FileNew " + dir.Str(), "needs the File menu"},
      {"-m file -s FileNope " + dir.Str(), "unknown speedbar command 'FileNope'"},
      {"-m file -e nobar " + dir.Str(), "The document type \"nobar\" needs a \"|\""},
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

// A second run that fails part way: what it replaced before the failure, and
// the backups of the earlier files, are named on standard error.
TEST(OrvalenGen, AFailureInTheMiddleOfARunListsTheFilesWrittenAndTheBackupsKept) {
  TempDir dir;
  ASSERT_EQ(RunGen("-n Editor " + dir.Str()).status, 0);
  std::filesystem::remove(dir.File("MDICHILD.PAS"));
  std::filesystem::create_directory(dir.File("MDICHILD.PAS"));
  const std::string err = dir.File("err.txt");
  auto r = testing::RunOrvalenGen("-n Editor " + dir.Str(), err);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "") << "no list of a successful run";
  auto in = [&](const char* name) { return "  " + dir.File(name) + "\n"; };
  EXPECT_EQ(testing::ReadFile(err),
            "orvalen-gen: Cannot create file " + dir.File("MDICHILD.PAS") + "\n" +
                "orvalen-gen: files written before the failure:\n" + in("Editor.DPR") +
                in("MAIN.PAS") + in("MAIN.TXT") + in("MAIN.DFM") +
                "orvalen-gen: backups kept of the files replaced:\n" + in("Editor.~DP") +
                in("MAIN.~PA") + in("MAIN.~TX") + in("MAIN.~DF"));
}

// A dry run and the backups of the Lazarus target: its own files, its own backup names.
TEST(OrvalenGen, LazarusTargetDryRunAndBackups) {
  TempDir dir;
  auto first = RunGen("--target lcl -n Editor " + Quote(dir.Str()));
  ASSERT_EQ(first.status, 0) << first.out;
  EXPECT_EQ(first.out.find(dir.File("Editor.lpr") + "\n" + dir.File("Editor.lpi") + "\n"), 0u)
      << first.out;
  auto dry = RunGen("--dry-run --target lcl -n Editor " + Quote(dir.Str()));
  ASSERT_EQ(dry.status, 0) << dry.out;
  for (const char* name : {"Editor.lpi", "MAIN.lfm", "MDICHILD.lfm", "STDABOUT.lfm"})
    EXPECT_NE(dry.out.find(std::string(name) + "  (exists: replaced"), std::string::npos) << name;
  EXPECT_EQ(dry.out.find(".DFM"), std::string::npos) << dry.out;
  auto again = RunGen("--target lcl -n Editor " + Quote(dir.Str()));
  ASSERT_EQ(again.status, 0) << again.out;
  EXPECT_EQ(testing::ReadFile(dir.File("MAIN.~lf")), testing::ReadFile(dir.File("MAIN.lfm")));
  EXPECT_EQ(testing::ReadFile(dir.File("Editor.~lp")), testing::ReadFile(dir.File("Editor.lpi")));
}

TEST(OrvalenGen, HelpAndVersion) {
  auto help = RunGen("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--convert TEXTFORM BINFORM"), std::string::npos);
  auto version = RunGen("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.find("orvalen-gen "), 0u);
}

namespace fs = std::filesystem;

// Every file below `root`, path relative to it, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    files[fs::relative(entry.path(), root).string()] =
        entry.is_regular_file() ? testing::ReadFile(entry.path().string()) : "(directory)";
  return files;
}

// The command lines of a table run in a scratch directory of their own, as
// the current directory, so that a relative DIRECTORY such as "-dir" works.
class InDirectory {
 public:
  explicit InDirectory(const fs::path& dir) : previous_(fs::current_path()) {
    fs::current_path(dir);
  }
  ~InDirectory() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

// One command line of a table and what it must do. The setters read as the
// table's columns.
struct CliCase {
  explicit CliCase(std::string commandLine) : args(std::move(commandLine)) {}
  CliCase& Status(int value) { return status = value, *this; }
  CliCase& Prints(std::string part) { return output = std::move(part), *this; }
  CliCase& After(std::string command) { return before = std::move(command), *this; }
  CliCase& Writes(std::string into, std::string sameAsArgs) {
    return dir = std::move(into), sameAs = std::move(sameAsArgs), *this;
  }
  CliCase& Leaves(std::vector<std::string> paths) { return exist = std::move(paths), *this; }
  CliCase& LeavesNo(std::vector<std::string> paths) { return absent = std::move(paths), *this; }
  CliCase& WritesNothing() { return writesNothing = true, *this; }
  CliCase& Then(std::function<void(const std::string&)> f) { return check = std::move(f), *this; }

  std::string args;
  int status = 0;
  std::string output;              // a part of what it prints ("" for anything)
  std::string before;              // a shell command run first; {gen} is orvalen-gen
  std::string dir, sameAs;         // dir's files are those `sameAs` writes into a fresh one
  std::vector<std::string> exist;  // paths there afterwards
  std::vector<std::string> absent;
  bool writesNothing = false;
  std::function<void(const std::string& output)> check;
};

std::string GenPath() {
  const char* gen = std::getenv("ORVALEN_GEN");
  return gen ? gen : ORVALEN_BINARY_DIR "/hosts/orvalen-gen";
}

void RunCase(const CliCase& c) {
  SCOPED_TRACE(c.args);
  TempDir dir;
  InDirectory in(dir.Path());
  if (!c.before.empty()) {
    std::string command =
        "(" + std::regex_replace(c.before, std::regex("\\{gen\\}"), testing::Quote(GenPath())) +
        ") >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  auto before = Snapshot(dir.Path());
  auto r = RunGen(c.args);
  EXPECT_EQ(r.status, c.status) << r.out;
  EXPECT_NE(r.out.find(c.output), std::string::npos) << r.out;
  if (c.writesNothing) {
    EXPECT_EQ(Snapshot(dir.Path()), before);
  }
  for (const auto& path : c.exist) EXPECT_TRUE(fs::exists(path)) << path;
  for (const auto& path : c.absent) EXPECT_FALSE(fs::exists(path)) << path;
  if (!c.sameAs.empty()) {
    ASSERT_EQ(RunGen(c.sameAs + " reference").status, 0) << c.sameAs;
    auto expected = Snapshot("reference");
    auto got = Snapshot(c.dir);
    for (const auto& [name, bytes] : expected)
      EXPECT_TRUE(got[name] == bytes) << c.dir << "/" << name << " differs from " << c.sameAs;
  }
  if (c.check) c.check(r.out);
}

// The dry run's table: each line a size, a path and the file's fate.
struct DryRunLine {
  std::size_t size;
  std::string path;
};

std::vector<DryRunLine> ParseDryRun(const std::string& out) {
  static const std::regex line(R"(^ +(\d+)  (\S+)  \(.*\)$)");
  std::vector<DryRunLine> lines;
  std::istringstream in(out);
  for (std::string text; std::getline(in, text);) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(text, m, line)) << text;
    if (!m.empty()) lines.push_back({std::stoul(m[1]), m[2]});
  }
  return lines;
}

// The sizes a dry run lists are those of the files a real run writes.
void ExpectSizesOfARealRun(const std::string& out, const std::string& args) {
  auto listed = ParseDryRun(out);
  auto real = RunGen(args + " real");
  ASSERT_EQ(real.status, 0) << real.out;
  auto written = Snapshot("real");
  ASSERT_EQ(listed.size(), written.size()) << out;
  for (const auto& line : listed) {
    std::string name = fs::path(line.path).filename().string();
    ASSERT_TRUE(written.count(name)) << line.path;
    EXPECT_EQ(line.size, written[name].size()) << line.path;
  }
}

TEST(OrvalenGen, EachFormOfTheCommandLine) {
  const std::string kEditor = "-n Editor -m file,edit";
  const std::string kGenerated = "{gen} -n Editor old";
  const CliCase cases[] = {
      CliCase("--name=Editor -m file,edit app").Writes("app", kEditor),
      CliCase("--name Editor --menus=file,edit app").Writes("app", kEditor),
      CliCase("-nEditor -mfile,edit app").Writes("app", kEditor),
      CliCase("-n Editor -m file,edit app").Prints("app/Editor.DPR\n"),
      CliCase("-n Editor -m file,edit -- -dir").Prints("-dir/Editor.DPR\n").Writes("-dir", kEditor),
      CliCase("app -n Editor -m file,edit").Writes("app", kEditor),
      CliCase("-hm file").Prints("usage: orvalen-gen").WritesNothing(),
      CliCase("-m '' -s '' app").Writes("app", "-n AppName"),
      CliCase("--no-mdi --mdi --no-hints --hints --single-instance --no-single-instance app")
          .Writes("app", "-n AppName"),
      CliCase("--dry-run -n Editor -m file,edit old")
          .After(kGenerated)
          .Prints("  old/MAIN.PAS  (exists: replaced, previous kept as MAIN.~PA)\n")
          .WritesNothing()
          .Then([&](const std::string& out) { ExpectSizesOfARealRun(out, kEditor); }),
      CliCase("--dry-run --no-backup -n Editor new")
          .Prints("  new/Editor.DPR  (new)\n")
          .WritesNothing()
          .Then([](const std::string& out) { ExpectSizesOfARealRun(out, "-n Editor"); }),
      CliCase("-n Editor --no-backup old").After(kGenerated).LeavesNo({"old/MAIN.~PA"}),
      CliCase("-n Editor old").After(kGenerated).Leaves({"old/MAIN.~PA"}),
      CliCase("-n Editor old")
          .After(kGenerated + " && mkdir old/MAIN.~PA")
          .Status(1)
          .Prints("orvalen-gen: Cannot create backup file old/MAIN.~PA"),
      CliCase("--frobnicate app")
          .Status(2)
          .Prints("orvalen-gen: unknown option '--frobnicate'\nTry 'orvalen-gen --help'.\n")
          .WritesNothing(),
      CliCase("app --name")
          .Status(2)
          .Prints("orvalen-gen: option '--name' needs a value\n")
          .WritesNothing(),
      CliCase("app -n")
          .Status(2)
          .Prints("orvalen-gen: option '-n' needs a value\n")
          .WritesNothing(),
  };
  for (const auto& c : cases) RunCase(c);
}

TEST(OrvalenGen, AnswerFiles) {
  const std::string kChoices =
      "-n Editor -m file,edit,help --recent-registry -e 'Text (*.txt)|*.txt' "
      "-s FileNew,-,EditCut,HelpAbout --no-hints --single-instance --codepage 1250";
  const std::string kSaved = "{gen} " + kChoices + " --write-answers a.json";
  const CliCase cases[] = {
      // Saved, then read and saved again: the same file, and nothing generated.
      CliCase("--answers a.json --write-answers b.json")
          .After(kSaved)
          .Prints("b.json\n")
          .LeavesNo({"AppPath", "Editor.DPR"})
          .Then([](const std::string&) {
            EXPECT_EQ(testing::ReadFile("b.json"), testing::ReadFile("a.json"));
          }),
      // Generated from it: the files the options themselves write.
      CliCase("--answers a.json app").After(kSaved).Writes("app", kChoices),
      // The directory in the file is used unless DIRECTORY is given.
      CliCase("--answers a.json")
          .After("{gen} -n Editor --write-answers a.json there")
          .Prints("there/Editor.DPR\n")
          .Leaves({"there/Editor.~DP"}),
      // Options beside it override it, lists included.
      CliCase("--answers a.json -n Other -m file -s FileOpen -e '' --no-recent --hints app")
          .After(kSaved + " there")
          .Writes("app", "-n Other -m file -s FileOpen --single-instance --codepage 1250")
          .LeavesNo({"there/Other.DPR"}),
      CliCase("--answers a.json -m '' -s '' -e '' --no-recent app")
          .After(kSaved)
          .Writes("app", "-n Editor --no-hints --single-instance --codepage 1250"),
      CliCase("--answers bad.json --write-answers w.json app")
          .After(
              R"(printf '{"format": "orvalen-answers", "version": 1, "hints": "yes"}' >bad.json)")
          .Status(2)
          .Prints("orvalen-gen: bad.json: hints: expected true or false")
          .WritesNothing(),
      // Settings refused write no answer file either.
      CliCase("-n begin --write-answers w.json")
          .Status(2)
          .Prints("is a reserved word of Object Pascal")
          .WritesNothing(),
      CliCase("--dry-run -n Editor --write-answers w.json app")
          .Prints("  w.json  (new)\n")
          .WritesNothing(),
      // The Lazarus target travels through an answer file like every choice.
      CliCase("--answers l.json app")
          .After("{gen} -n Editor -m file --target lcl --write-answers l.json")
          .Writes("app", "-n Editor -m file --target lcl")
          .LeavesNo({"app/Editor.DPR", "app/MAIN.DFM"}),
      CliCase("--target lcl --codepage 1252 app")
          .Status(2)
          .Prints("orvalen-gen: --codepage applies to the Windows target only")
          .WritesNothing(),
      CliCase("--target LCL app").Status(2).Prints("unknown target 'LCL'").WritesNothing(),
  };
  for (const auto& c : cases) RunCase(c);
}

// The one table of document types: an answer file and -e take or refuse each
// alike, with the same message, and what both take generates the same bytes.
TEST(OrvalenGen, DocumentTypesAreTakenOrRefusedAsTheAnswerFilesDo) {
  TempDir dir;
  const std::string head =
      R"({"format": "orvalen-answers", "version": 1, "menus": {"file": true}, )";
  for (const auto& c : testing::DocumentTypeCases()) {
    const std::string json = head + "\"fileTypes\": [" + nlohmann::json(c.entry).dump() + "]}";
    std::string fromFile;
    try {
      ReadAnswers(json, "a.json");
    } catch (const EAnswersError& e) {
      fromFile = e.what();
    }
    const std::string byOption = dir.File("by-option"), byFile = dir.File("by-file");
    auto r = RunGen("-m file -e " + Quote(c.entry) + " " + Quote(byOption));
    if (c.refusal.empty()) {
      EXPECT_EQ(fromFile, "") << c.entry;
      EXPECT_EQ(r.status, 0) << c.entry << r.out;
      testing::WriteFile(dir.File("a.json"), json);
      ASSERT_EQ(RunGen("--answers " + Quote(dir.File("a.json")) + " " + Quote(byFile)).status, 0);
      EXPECT_EQ(testing::ReadFile(byOption + "/MAIN.TXT"), testing::ReadFile(byFile + "/MAIN.TXT"));
    } else {
      const std::string message = fromFile.substr(std::string("a.json: fileTypes[0]: ").size());
      EXPECT_NE(message.find(c.refusal), std::string::npos) << fromFile;
      EXPECT_EQ(r.status, 2) << c.entry;
      EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "orvalen-gen: " + message) << c.entry;
    }
  }
}

// --help, the manual page, the shell completion and the parser itself name
// the same long options; the completion and the manual page know every
// speedbar command of the command table.
TEST(OrvalenGen, HelpManualPageAndCompletionNameTheSameOptions) {
  auto longOptions = [](const std::string& text) {
    std::set<std::string> names;
    static const std::regex option("--([a-z][a-z-]*[a-z])");
    for (std::sregex_iterator i(text.begin(), text.end(), option), end; i != end; ++i)
      names.insert((*i)[1]);
    return names;
  };
  std::set<std::string> parser;
  for (const option* o = gen::LongOptions().data(); o->name; ++o) parser.insert(o->name);

  auto help = RunGen("--help");
  ASSERT_EQ(help.status, 0);
  std::string page = testing::ReadFile(ORVALEN_SOURCE_DIR "/dist/orvalen-gen.1.in");
  std::string completion =
      testing::ReadFile(ORVALEN_SOURCE_DIR "/dist/orvalen-gen.bash-completion");
  ASSERT_FALSE(page.empty());
  ASSERT_FALSE(completion.empty());
  EXPECT_EQ(longOptions(help.out), parser) << "--help";
  EXPECT_EQ(longOptions(std::regex_replace(page, std::regex(R"(\\-)"), "-")), parser)
      << "orvalen-gen.1.in";
  EXPECT_EQ(longOptions(completion), parser) << "orvalen-gen.bash-completion";

  std::string commands;
  for (int c = 0; c < kCommandCount; ++c) {
    commands += (c ? " " : "") + CommandHandler(c);
    EXPECT_NE(page.find(".BR " + CommandHandler(c)), std::string::npos) << CommandHandler(c);
  }
  std::smatch listed;
  ASSERT_TRUE(
      std::regex_search(completion, listed, std::regex(R"(_orvalen_gen_commands=\(([^)]*)\))")));
  EXPECT_EQ(std::regex_replace(listed[1].str(), std::regex(R"(\s+)"), " "), commands);
}

}  // namespace
}  // namespace orvalen
