// orvalen-gen: the wizard's generation without the wizard, for scripts and CI.
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "hosts/form_convert_command.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "run/generation_run.h"

namespace {

using orvalen::WizardSettings;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: orvalen-gen [OPTIONS] DIRECTORY        generate a new application into DIRECTORY\n"
    "       orvalen-gen --convert TEXTFORM BINFORM convert a form description from text form\n"
    "                                              to a binary form file\n"
    "  -n, --name NAME        application name, a Pascal identifier of at most 61 characters\n"
    "                         (default AppName)\n"
    "  -m, --menus LIST       comma-separated subset of file,edit,window,help (default: none)\n"
    "      --recent           the File menu gets the recent-files list\n"
    "      --recent-registry  keep the recent-files list in the registry (implies --recent)\n"
    "  -e, --ext 'DESC|PATTERNS'  a document type for the Open and Save dialogs; repeat, in order\n"
    "  -s, --speedbar LIST    comma-separated handler names (FileNew, FileOpen, EditCut, ...)\n"
    "                         and '-' for a space\n"
    "      --no-mdi  --no-status-line  --no-hints  --single-instance\n"
    "      --codepage N       the ANSI code page of the generated text (default 1252)\n"
    "  -h, --help   --version\n";

struct UsageError {
  std::string message;
};

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::string item;
  for (char c : list) {
    if (c == ',') {
      items.push_back(item);
      item.clear();
    } else {
      item += c;
    }
  }
  items.push_back(item);
  return items;
}

void SetMenus(WizardSettings& s, const std::string& list) {
  for (const auto& menu : SplitList(list)) {
    if (menu == "file")
      s.cbFileMenu = true;
    else if (menu == "edit")
      s.cbEditMenu = true;
    else if (menu == "window")
      s.cbWindowMenu = true;
    else if (menu == "help")
      s.cbHelpMenu = true;
    else
      throw UsageError{"unknown menu '" + menu + "' (choose from file, edit, window, help)"};
  }
}

void SetSpeedbar(WizardSettings& s, const std::string& list) {
  for (const auto& entry : SplitList(list)) {
    if (entry == "-") {
      s.Speedbar.push_back(orvalen::kSpeedbarSpace);
      continue;
    }
    int found = -1;
    for (int c = 0; c < orvalen::kCommandCount; ++c)
      if (orvalen::CommandHandler(c) == entry) found = c;
    if (found < 0) throw UsageError{"unknown speedbar command '" + entry + "'"};
    s.Speedbar.push_back(orvalen::kGlyphId + found);
  }
}

// A document type arrives in the locale's encoding; it is checked, and later
// converted into the target's code page, as the UTF-8 the wizard hands over.
void AddExtension(WizardSettings& s, const std::string& argument) {
  std::string entry;
  try {
    entry = orvalen::platform::LocaleToUtf8(argument);
  } catch (const orvalen::platform::ECodePageError& e) {
    throw UsageError{std::string("a document type: ") + e.what()};
  }
  auto bar = entry.find('|');
  if (bar == std::string::npos || bar == 0 || bar + 1 == entry.size() ||
      entry.find('|', bar + 1) != std::string::npos)
    throw UsageError{"a document type reads 'DESCRIPTION|PATTERNS', got '" + entry + "'"};
  s.ExtListBox.push_back(entry);
}

int ParseCodePage(const std::string& text) {
  int codePage = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw UsageError{"--codepage takes a number, got '" + text + "'"};
  return codePage;
}

struct Options {
  WizardSettings settings;
  std::optional<std::string> directory;
  bool help = false, version = false;
  std::vector<std::string> convert;
};

Options Parse(int argc, char** argv) {
  Options o;
  WizardSettings& s = o.settings;
  bool registry = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{"option " + arg + " needs a value"};
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help")
      o.help = true;
    else if (arg == "--version")
      o.version = true;
    else if (arg == "-n" || arg == "--name")
      s.AppName = value();
    else if (arg == "-m" || arg == "--menus")
      SetMenus(s, value());
    else if (arg == "--recent")
      s.cbMRU = true;
    else if (arg == "--recent-registry")
      registry = true;
    else if (arg == "-e" || arg == "--ext")
      AddExtension(s, value());
    else if (arg == "-s" || arg == "--speedbar")
      SetSpeedbar(s, value());
    else if (arg == "--no-mdi")
      s.cbMDIApp = false;
    else if (arg == "--no-status-line")
      s.cbStatusLine = false;
    else if (arg == "--no-hints")
      s.cbHints = false;
    else if (arg == "--single-instance")
      s.SingleInstanceApp = s.siDDE = true;
    else if (arg == "--codepage")
      s.CodePage = ParseCodePage(value());
    else if (arg == "--convert") {
      o.convert.push_back(value());
      o.convert.push_back(value());
    } else if (!arg.empty() && arg[0] == '-')
      throw UsageError{"unknown option " + arg};
    else if (o.directory)
      throw UsageError{"more than one DIRECTORY given"};
    else
      o.directory = arg;
  }
  if (registry) s.cbMRU = s.cbMRUReg = true;
  s.cbMDIform = s.cbMDIApp;
  if (!o.convert.empty() && o.directory) throw UsageError{"--convert takes no DIRECTORY"};
  return o;
}

int Generate(Options& o) {
  WizardSettings& s = o.settings;
  if (s.cbMRU && !s.cbFileMenu) throw UsageError{"the recent-files list needs the File menu"};
  if (!s.ExtListBox.empty() && !s.cbFileMenu)
    throw UsageError{"document types need the File menu (its Open and Save dialogs)"};
  if (auto message = orvalen::CheckAppName(s.AppName)) throw UsageError{*message};
  if (auto message = orvalen::CheckSpeedbar(s)) throw UsageError{*message};
  // The filter's length counts the bytes of the generated text.
  if (auto message = orvalen::EncodeTypedText(s)) throw orvalen::ESettingsError(*message);
  if (auto message = orvalen::CheckFilter(s)) throw UsageError{*message};

  s.AppPath = *o.directory;
  std::error_code ec;
  std::filesystem::create_directories(s.AppPath, ec);
  if (ec) {
    std::cerr << "orvalen-gen: cannot create directory " << s.AppPath << ": " << ec.message()
              << "\n";
    return kExitFailed;
  }
  orvalen::GenerationResult result = orvalen::GenerateApplication(s);
  for (const auto& file : result.files) std::cout << file << "\n";
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options o = Parse(argc, argv);
    if (o.help) {
      std::cout << kUsage;
      return kExitOk;
    }
    if (o.version) {
      std::cout << "orvalen-gen " << ORVALEN_VERSION << "\n";
      return kExitOk;
    }
    if (!o.convert.empty()) return orvalen::RunFormConvertCommand(o.convert[0], o.convert[1]);
    if (!o.directory) throw UsageError{"no DIRECTORY given"};
    return Generate(o);
  } catch (const UsageError& e) {
    std::cerr << "orvalen-gen: " << e.message << "\n"
              << "Try 'orvalen-gen --help'.\n";
    return kExitUsage;
  } catch (const orvalen::ESettingsError& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitFailed;
  }
}
