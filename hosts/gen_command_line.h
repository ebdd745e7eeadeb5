// orvalen-gen's command line: the options it knows and what a given command
// line asks for. Parsed with getopt_long, so the GNU forms all work
// (--name=X, --name X, -nX, -n X, options after DIRECTORY, "--").
#pragma once

#include <getopt.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generator/wizard_settings.h"

namespace orvalen::gen {

// The values of the options without a short form; the others are their letter.
enum LongOnlyOption : int {
  kOptVersion = 256,
  kOptRecent,
  kOptNoRecent,
  kOptRecentRegistry,
  kOptNoRecentRegistry,
  kOptMdi,
  kOptNoMdi,
  kOptStatusLine,
  kOptNoStatusLine,
  kOptHints,
  kOptNoHints,
  kOptSingleInstance,
  kOptNoSingleInstance,
  kOptCodePage,
  kOptConvert,
  kOptDryRun,
  kOptNoBackup,
  kOptAnswers,
  kOptWriteAnswers,
};

// Every option orvalen-gen takes; --help, the manual page and the shell
// completion list the same long names.
inline constexpr option kLongOptions[] = {
    {"name", required_argument, nullptr, 'n'},
    {"menus", required_argument, nullptr, 'm'},
    {"recent", no_argument, nullptr, kOptRecent},
    {"no-recent", no_argument, nullptr, kOptNoRecent},
    {"recent-registry", no_argument, nullptr, kOptRecentRegistry},
    {"no-recent-registry", no_argument, nullptr, kOptNoRecentRegistry},
    {"ext", required_argument, nullptr, 'e'},
    {"speedbar", required_argument, nullptr, 's'},
    {"mdi", no_argument, nullptr, kOptMdi},
    {"no-mdi", no_argument, nullptr, kOptNoMdi},
    {"status-line", no_argument, nullptr, kOptStatusLine},
    {"no-status-line", no_argument, nullptr, kOptNoStatusLine},
    {"hints", no_argument, nullptr, kOptHints},
    {"no-hints", no_argument, nullptr, kOptNoHints},
    {"single-instance", no_argument, nullptr, kOptSingleInstance},
    {"no-single-instance", no_argument, nullptr, kOptNoSingleInstance},
    {"codepage", required_argument, nullptr, kOptCodePage},
    {"dry-run", no_argument, nullptr, kOptDryRun},
    {"no-backup", no_argument, nullptr, kOptNoBackup},
    {"answers", required_argument, nullptr, kOptAnswers},
    {"write-answers", required_argument, nullptr, kOptWriteAnswers},
    {"convert", required_argument, nullptr, kOptConvert},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kOptVersion},
    {nullptr, 0, nullptr, 0},
};
// The leading ':' tells a missing value apart from an unknown option.
inline constexpr char kShortOptions[] = ":n:m:e:s:h";

// Bad arguments: the message, without the program's name.
struct UsageError {
  std::string message;
};

using SettingsEdit = std::function<void(WizardSettings&)>;

struct CommandLine {
  // What the options change, in the order given; applied to the starting
  // settings (an answer file's, or a new wizard's), so that they override
  // whatever those hold.
  std::vector<SettingsEdit> edits;
  std::vector<std::string> operands;   // DIRECTORY, or BINFORM after --convert
  std::optional<std::string> convert;  // TEXTFORM
  std::optional<std::string> answers, writeAnswers;
  bool help = false, version = false;
  bool dryRun = false, keepBackups = true;

  WizardSettings Apply(WizardSettings settings) const;
};

// Raises UsageError naming the offending option or value.
CommandLine ParseCommandLine(int argc, char** argv);

}  // namespace orvalen::gen
