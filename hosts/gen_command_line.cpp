#include "hosts/gen_command_line.h"

#include <charconv>
#include <cstring>
#include <utility>

#include "generator/command_table.h"
#include "platform/codepage.h"

namespace orvalen::gen {

namespace {

// An empty list has no items, so that -m '' asks for no menus.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  if (list.empty()) return items;
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

std::vector<int> ParseMenus(const std::string& list) {
  static const char* const kNames[kMenuCount] = {"file", "edit", "window", "help"};
  std::vector<int> menus;
  for (const auto& name : SplitList(list)) {
    int found = -1;
    for (int m = 0; m < kMenuCount; ++m)
      if (name == kNames[m]) found = m;
    if (found < 0)
      throw UsageError{"unknown menu '" + name + "' (choose from file, edit, window, help)"};
    menus.push_back(found);
  }
  return menus;
}

bool& MenuFlag(WizardSettings& s, int menu) {
  switch (menu) {
    case kFileMenu:
      return s.cbFileMenu;
    case kEditMenu:
      return s.cbEditMenu;
    case kWindowMenu:
      return s.cbWindowMenu;
    default:
      return s.cbHelpMenu;
  }
}

std::vector<int> ParseSpeedbar(const std::string& list) {
  std::vector<int> entries;
  for (const auto& entry : SplitList(list)) {
    if (entry == "-") {
      entries.push_back(kSpeedbarSpace);
      continue;
    }
    const int found = CommandOfHandler(entry);
    if (found < 0) throw UsageError{"unknown speedbar command '" + entry + "'"};
    entries.push_back(kGlyphId + found);
  }
  return entries;
}

// A document type arrives in the locale's encoding; it is checked, and later
// converted into the target's code page, as the UTF-8 the wizard hands over.
// An empty one adds nothing, so that -e '' asks for no document types.
std::optional<std::string> ParseExtension(const std::string& argument) {
  if (argument.empty()) return std::nullopt;
  std::string entry;
  try {
    entry = platform::LocaleToUtf8(argument);
  } catch (const platform::ECodePageError& e) {
    throw UsageError{std::string("a document type: ") + e.what()};
  }
  auto bar = entry.find('|');
  if (bar == std::string::npos || bar == 0 || bar + 1 == entry.size() ||
      entry.find('|', bar + 1) != std::string::npos)
    throw UsageError{"a document type reads 'DESCRIPTION|PATTERNS', got '" + entry + "'"};
  return entry;
}

int ParseCodePage(const std::string& text) {
  int codePage = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw UsageError{"--codepage takes a number, got '" + text + "'"};
  return codePage;
}

const option* LongOptionOf(int value) {
  for (const option* o = kLongOptions; o->name; ++o)
    if (o->val == value) return o;
  return nullptr;
}

// The option as the user wrote it: "-n" when given short, else "--name"
// (also when abbreviated). `element` is the argument it came in.
std::string OptionName(int value, const char* element) {
  const option* o = LongOptionOf(value);
  if (o && std::strncmp(element, "--", 2) == 0) return std::string("--") + o->name;
  return std::string("-") + static_cast<char>(value);
}

// getopt_long reports '?' for an unknown or ambiguous long option (optopt 0),
// a value given to a long option that takes none (its value in optopt) and an
// unknown short option (the letter in optopt). Only the first two advance
// past the argument they came in, so only they read `element`.
UsageError BadOption(int value, const char* element) {
  if (value == 0) {
    std::string written(element, std::strcspn(element, "="));
    int matches = 0;
    for (const option* o = kLongOptions; o->name; ++o)
      if (("--" + std::string(o->name)).starts_with(written)) ++matches;
    if (matches > 1) return {"option '" + written + "' is ambiguous"};
    return {"unknown option '" + written + "'"};
  }
  if (const option* o = LongOptionOf(value))
    return {"option '--" + std::string(o->name) + "' takes no value"};
  return {"unknown option '-" + std::string(1, static_cast<char>(value)) + "'"};
}

// The list options of one command line together replace the starting
// settings' list: the first one given clears it, later ones add to it.
struct ListsGiven {
  bool menus = false, ext = false, speedbar = false;
};

void AddEdit(CommandLine& c, ListsGiven& given, int value, const std::string& arg) {
  auto set = [&](SettingsEdit edit) { c.edits.push_back(std::move(edit)); };
  switch (value) {
    case 'n':
      return set([arg](WizardSettings& s) { s.AppName = arg; });
    case 'm': {
      bool first = !std::exchange(given.menus, true);
      return set([first, menus = ParseMenus(arg)](WizardSettings& s) {
        for (int m = 0; first && m < kMenuCount; ++m) MenuFlag(s, m) = false;
        for (int m : menus) MenuFlag(s, m) = true;
      });
    }
    case 'e': {
      bool first = !std::exchange(given.ext, true);
      return set([first, entry = ParseExtension(arg)](WizardSettings& s) {
        if (first) s.ExtListBox.clear();
        if (entry) s.ExtListBox.push_back(*entry);
      });
    }
    case 's': {
      bool first = !std::exchange(given.speedbar, true);
      return set([first, entries = ParseSpeedbar(arg)](WizardSettings& s) {
        if (first) s.Speedbar.clear();
        s.Speedbar.insert(s.Speedbar.end(), entries.begin(), entries.end());
      });
    }
    case kOptRecent:
      return set([](WizardSettings& s) { s.cbMRU = true; });
    case kOptNoRecent:
      return set([](WizardSettings& s) { s.cbMRU = s.cbMRUReg = false; });
    case kOptRecentRegistry:
      return set([](WizardSettings& s) { s.cbMRU = s.cbMRUReg = true; });
    case kOptNoRecentRegistry:
      return set([](WizardSettings& s) { s.cbMRUReg = false; });
    case kOptMdi:
    case kOptNoMdi:
      return set([on = value == kOptMdi](WizardSettings& s) { s.cbMDIApp = s.cbMDIform = on; });
    case kOptStatusLine:
    case kOptNoStatusLine:
      return set([on = value == kOptStatusLine](WizardSettings& s) { s.cbStatusLine = on; });
    case kOptHints:
    case kOptNoHints:
      return set([on = value == kOptHints](WizardSettings& s) { s.cbHints = on; });
    case kOptSingleInstance:
    case kOptNoSingleInstance:
      return set([on = value == kOptSingleInstance](WizardSettings& s) {
        s.SingleInstanceApp = s.siDDE = on;
      });
    case kOptCodePage:
      return set([codePage = ParseCodePage(arg)](WizardSettings& s) { s.CodePage = codePage; });
  }
}

}  // namespace

WizardSettings CommandLine::Apply(WizardSettings settings) const {
  for (const auto& edit : edits) edit(settings);
  return settings;
}

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine c;
  ListsGiven given;
  opterr = 0;
  optind = 0;  // a fresh scan
  for (;;) {
    int value = getopt_long(argc, argv, kShortOptions, kLongOptions, nullptr);
    if (value == -1) break;
    const char* element = argv[optind - 1];  // read only where it is the option's own
    switch (value) {
      case ':':
        throw UsageError{"option '" + OptionName(optopt, element) + "' needs a value"};
      case '?':
        throw BadOption(optopt, element);
      case 'h':
        c.help = true;
        break;
      case kOptVersion:
        c.version = true;
        break;
      case kOptDryRun:
        c.dryRun = true;
        break;
      case kOptNoBackup:
        c.keepBackups = false;
        break;
      case kOptConvert:
        c.convert = optarg;
        break;
      case kOptAnswers:
        c.answers = optarg;
        break;
      case kOptWriteAnswers:
        c.writeAnswers = optarg;
        break;
      default:
        AddEdit(c, given, value, optarg ? optarg : "");
    }
  }
  c.operands.assign(argv + optind, argv + argc);
  return c;
}

}  // namespace orvalen::gen
