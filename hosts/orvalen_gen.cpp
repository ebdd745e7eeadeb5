// orvalen-gen: the wizard's generation without the wizard, for scripts and CI.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "generator/answers.h"
#include "generator/settings_check.h"
#include "generator/settings_description.h"
#include "hosts/form_convert_command.h"
#include "hosts/gen_command_line.h"
#include "platform/errors.h"
#include "platform/output_sink.h"
#include "run/generation_run.h"

namespace {

using orvalen::WizardSettings;
using orvalen::gen::CommandLine;
using orvalen::gen::UsageError;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// --help: the settings' options come from their description.
std::string Usage() {
  return "usage: orvalen-gen [OPTIONS] DIRECTORY\n"
         "       orvalen-gen [OPTIONS] --answers FILE [DIRECTORY]\n"
         "       orvalen-gen [OPTIONS] --write-answers FILE [DIRECTORY]\n"
         "       orvalen-gen --convert TEXTFORM BINFORM\n"
         "Writes the source of a new application into DIRECTORY (created if missing), or\n"
         "converts a form description from text form into a binary form file. Options\n"
         "may follow DIRECTORY; '--' ends them, for a DIRECTORY that starts with '-'.\n"
         "\n" +
         orvalen::SettingsUsage() +
         "      --dry-run         write nothing; list the files a run would write, one a\n"
         "                        line: the size in bytes, the path, and one of\n"
         "                          (new)\n"
         "                          (exists: replaced, previous kept as NAME.~EX)\n"
         "                          (exists: replaced, no backup)\n"
         "                          (exists, not a file: cannot be replaced)\n"
         "      --no-backup       replace existing files without first copying each to\n"
         "                        its backup name (MAIN.PAS to MAIN.~PA)\n"
         "      --answers FILE    start from the settings in answer file FILE (a regular\n"
         "                        file of at most 1 MiB); the options given beside it\n"
         "                        override them, and DIRECTORY the file's directory\n"
         "      --write-answers FILE\n"
         "                        save the settings, once checked, as answer file FILE;\n"
         "                        with no DIRECTORY (given or in --answers) only that\n"
         "                        file is written\n"
         "      --convert TEXTFORM BINFORM\n"
         "                        convert a form description (TEXTFORM a regular file\n"
         "                        of at most 64 MiB); takes no DIRECTORY\n"
         "  -h, --help            print this summary\n"
         "      --version         print the version\n"
         "\n"
         "Exit status: 0 success (the files written are listed, one path a line), 1 the\n"
         "generation or conversion failed, 2 bad arguments, settings or answer file\n"
         "(nothing written).\n";
}

// The checks the wizard's Finish applies, and the command line's own; on
// success the settings as the generators read them (the typed text in the
// target's code page).
// The wizard keeps a recent list or document types chosen while the File menu
// is off (they are simply not generated), so an answer file it saved may hold
// them; given on the command line without the File menu they are a mistake.
WizardSettings CheckedSettings(WizardSettings s, const std::optional<WizardSettings>& answers) {
  const bool keptMRU = answers && answers->cbMRU && !answers->cbFileMenu;
  const bool keptTypes = answers && !answers->cbFileMenu && answers->ExtListBox == s.ExtListBox;
  if (s.cbMRU && !s.cbFileMenu && !keptMRU)
    throw UsageError{"the recent-files list needs the File menu"};
  if (!s.ExtListBox.empty() && !s.cbFileMenu && !keptTypes)
    throw UsageError{"document types need the File menu (its Open and Save dialogs)"};
  if (auto found = orvalen::CheckSettings(s)) throw UsageError{found->problem.message};
  if (auto message = orvalen::EncodeTypedText(s)) throw orvalen::ESettingsError(*message);
  return s;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// What a run would do to `path` as it is now.
std::string Fate(const std::string& path, bool keepBackups) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return "(new)";
  if (!std::filesystem::is_regular_file(status)) return "(exists, not a file: cannot be replaced)";
  if (!keepBackups) return "(exists: replaced, no backup)";
  return "(exists: replaced, previous kept as " +
         FileName(orvalen::platform::BackupFileName(path)) + ")";
}

struct Listed {
  std::string path;
  std::size_t size;
  bool keepBackup;
};

void PrintDryRun(const std::vector<Listed>& files) {
  std::size_t width = 1;
  for (const auto& file : files) width = std::max(width, std::to_string(file.size).size());
  for (const auto& file : files) {
    std::string size = std::to_string(file.size);
    std::cout << "  " << std::string(width - size.size(), ' ') << size << "  " << file.path << "  "
              << Fate(file.path, file.keepBackup) << "\n";
  }
}

// What a run is to do: the settings as given, checked, and as the
// generators read them; where to write the files, when anywhere.
struct Job {
  WizardSettings typed, encoded;
  std::optional<std::string> directory;
};

// An answer file given is the starting point, and the options override it;
// so does DIRECTORY its directory.
Job Prepare(const CommandLine& c) {
  if (c.operands.size() > 1) throw UsageError{"more than one DIRECTORY given"};
  WizardSettings start;
  Job job;
  if (c.answers) {
    start = orvalen::LoadAnswersFile(*c.answers);
    if (!start.AppPath.empty()) job.directory = start.AppPath;
  }
  if (!c.operands.empty()) job.directory = c.operands[0];
  if (!job.directory && !c.writeAnswers) throw UsageError{"no DIRECTORY given"};
  job.typed = c.Apply(start);
  job.typed.AppPath = job.directory.value_or("");
  if (c.codePageGiven && job.typed.Lazarus())
    throw UsageError{"--codepage applies to the Windows target only: --target lcl writes UTF-8"};
  job.encoded = CheckedSettings(job.typed, c.answers ? std::optional(start) : std::nullopt);
  return job;
}

// The run itself into memory, so that the sizes are its own bytes; the answer
// file, which is renamed into place, keeps no backup.
int DryRun(const CommandLine& c, const Job& job) {
  std::vector<Listed> files;
  if (c.writeAnswers)
    files.push_back({*c.writeAnswers,
                     orvalen::WriteAnswers(job.typed, job.directory.has_value()).size(), false});
  if (job.directory) {
    orvalen::platform::MemorySink memory;
    orvalen::GenerateApplication(job.encoded, memory);
    for (const auto& file : memory.Files())
      files.push_back({file.path, file.bytes.size(), c.keepBackups});
  }
  PrintDryRun(files);
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailed;
}

// After a run that failed part way: the failure, then what it changed on disk.
// A file the failure interrupted stays half written; a backup holds the file
// a created one replaced, so nothing is lost.
void ReportPartialRun(const std::string& failure, const std::optional<std::string>& answers,
                      const orvalen::platform::DiskSink& disk) {
  std::cerr << "orvalen-gen: " << failure << "\n";
  std::vector<std::string> complete, incomplete;
  if (answers) complete.push_back(*answers);
  for (const auto& file : disk.Files())
    (file.complete ? complete : incomplete).push_back(file.path);
  auto list = [](const char* heading, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::cerr << "orvalen-gen: " << heading << ":\n";
    for (const auto& path : paths) std::cerr << "  " << path << "\n";
  };
  if (complete.empty() && incomplete.empty()) std::cerr << "orvalen-gen: no file was written\n";
  list("files written before the failure", complete);
  list("file left incomplete", incomplete);
  list("backups kept of the files replaced", disk.Backups());
}

int Generate(const CommandLine& c, const Job& job) {
  if (c.writeAnswers) {
    orvalen::SaveAnswersFile(*c.writeAnswers, job.typed, job.directory.has_value());
    std::cout << *c.writeAnswers << "\n";
  }
  if (job.directory) {
    const WizardSettings& s = job.encoded;
    std::error_code ec;
    std::filesystem::create_directories(s.AppPath, ec);
    if (ec) {
      std::cerr << "orvalen-gen: cannot create directory " << s.AppPath << ": " << ec.message()
                << "\n";
      return kExitFailed;
    }
    orvalen::platform::DiskSink disk(c.keepBackups);
    orvalen::GenerationResult result;
    try {
      result = orvalen::GenerateApplication(s, disk);
    } catch (const orvalen::ESettingsError&) {
      throw;  // refused before anything is written
    } catch (const std::exception& e) {
      std::cout.flush();
      ReportPartialRun(e.what(), c.writeAnswers, disk);
      return kExitFailed;
    }
    for (const auto& file : result.files) std::cout << file << "\n";
  }
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailed;
}

int Convert(const CommandLine& c) {
  if (c.operands.empty()) throw UsageError{"option '--convert' needs a value for BINFORM"};
  if (c.operands.size() > 1) throw UsageError{"--convert takes no DIRECTORY"};
  if (!c.edits.empty() || c.dryRun || !c.keepBackups || c.answers || c.writeAnswers)
    throw UsageError{"--convert takes none of the generation options"};
  return orvalen::RunFormConvertCommand(*c.convert, c.operands[0]);
}

int Run(const CommandLine& c) {
  if (c.help) {
    std::cout << Usage();
    return kExitOk;
  }
  if (c.version) {
    std::cout << "orvalen-gen " << ORVALEN_VERSION << "\n";
    return kExitOk;
  }
  if (c.convert) return Convert(c);
  Job job = Prepare(c);
  return c.dryRun ? DryRun(c, job) : Generate(c, job);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(orvalen::gen::ParseCommandLine(argc, argv));
  } catch (const UsageError& e) {
    std::cerr << "orvalen-gen: " << e.message << "\n"
              << "Try 'orvalen-gen --help'.\n";
    return kExitUsage;
  } catch (const orvalen::EAnswersError& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitUsage;
  } catch (const orvalen::ESettingsError& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitFailed;
  }
}
