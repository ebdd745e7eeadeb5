// orvalen-gen's command line: the options it knows and what a given command
// line asks for. Parsed with getopt_long, so the GNU forms all work
// (--name=X, --name X, -nX, -n X, options after DIRECTORY, "--").
#pragma once

#include <getopt.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generator/settings_description.h"
#include "generator/wizard_settings.h"

namespace orvalen::gen {

// The options that are no setting; the settings' options come from the
// description of the settings (generator/settings_description.h).
enum RunOption : int {
  kOptVersion = 256,
  kOptConvert,
  kOptDryRun,
  kOptNoBackup,
  kOptAnswers,
  kOptWriteAnswers,
};

// Every option orvalen-gen takes, ended by a null entry; --help, the manual
// page and the shell completion list the same long names.
const std::vector<option>& LongOptions();

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
  // --codepage was given: with the Lazarus target, whose text is UTF-8, a mistake.
  bool codePageGiven = false;

  WizardSettings Apply(WizardSettings settings) const;
};

// Raises UsageError naming the offending option or value.
CommandLine ParseCommandLine(int argc, char** argv);

}  // namespace orvalen::gen
