#include "hosts/gen_command_line.h"

#include <charconv>
#include <cstring>
#include <set>
#include <utility>

#include "generator/command_table.h"
#include "generator/document_type.h"
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

// The menus' flags, in menu order, with their words in --menus.
std::vector<const SettingDescription*> MenuSettings() {
  std::vector<const SettingDescription*> menus;
  for (const auto& d : SettingDescriptions())
    if (!d.menuWord.empty()) menus.push_back(&d);
  return menus;
}

std::vector<const SettingDescription*> ParseMenus(const std::string& list) {
  std::vector<const SettingDescription*> chosen;
  for (const auto& name : SplitList(list)) {
    const SettingDescription* found = nullptr;
    std::string words;
    for (const SettingDescription* menu : MenuSettings()) {
      if (menu->menuWord == name) found = menu;
      words += (words.empty() ? "" : ", ") + std::string(menu->menuWord);
    }
    if (!found) throw UsageError{"unknown menu '" + name + "' (choose from " + words + ")"};
    chosen.push_back(found);
  }
  return chosen;
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

// A document type arrives in the locale's encoding; it is checked as every
// front end checks one, and later converted into the target's code page, as
// the UTF-8 the wizard hands over.
// An empty one adds nothing, so that -e '' asks for no document types.
std::optional<std::string> ParseExtension(const std::string& argument) {
  if (argument.empty()) return std::nullopt;
  std::string entry;
  try {
    entry = platform::LocaleToUtf8(argument);
  } catch (const platform::ECodePageError& e) {
    throw UsageError{std::string("a document type: ") + e.what()};
  }
  if (auto message = CheckDocumentType(entry)) throw UsageError{*message};
  return entry;
}

int ParseCodePage(const std::string& text) {
  int codePage = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw UsageError{"--codepage takes a number, got '" + text + "'"};
  return codePage;
}

// The value getopt_long reports for a setting's option: its letter, or a
// number above the run options', and another for a flag's "no-" form.
constexpr int kSettingOption = 1000, kSettingNegation = 2000, kMenusOption = 'm';

int IndexOf(const SettingDescription& d) {
  return static_cast<int>(&d - SettingDescriptions().data());
}

int OptionValue(const SettingDescription& d) {
  return d.shortOption ? d.shortOption : kSettingOption + IndexOf(d);
}

// The setting an option's value stands for, and whether it is the "no-" form.
std::pair<const SettingDescription*, bool> SettingOf(int value) {
  auto all = SettingDescriptions();
  if (value >= kSettingNegation && value < kSettingNegation + static_cast<int>(all.size()))
    return {&all[static_cast<std::size_t>(value - kSettingNegation)], true};
  for (const auto& d : all)
    if (!d.option.empty() && OptionValue(d) == value) return {&d, false};
  return {nullptr, false};
}

const option* LongOptionOf(int value) {
  for (const option& o : LongOptions())
    if (o.name && o.val == value) return &o;
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
    for (const option* o = LongOptions().data(); o->name; ++o)
      if (("--" + std::string(o->name)).starts_with(written)) ++matches;
    if (matches > 1) return {"option '" + written + "' is ambiguous"};
    return {"unknown option '" + written + "'"};
  }
  if (const option* o = LongOptionOf(value))
    return {"option '--" + std::string(o->name) + "' takes no value"};
  return {"unknown option '-" + std::string(1, static_cast<char>(value)) + "'"};
}

// A flag switched by its option: switched on, it switches on the flag that
// enables it where that is a switch of its own (--recent-registry implies
// --recent); switched off, it switches off the switches it enables
// (--no-recent implies --no-recent-registry). The flags that follow it take
// its value (--mdi brings the MDI child form with it).
void SwitchFlag(WizardSettings& s, const SettingDescription& d, bool on) {
  s.*d.flag = on;
  for (const auto& other : SettingDescriptions()) {
    if (on && other.control == d.enabledBy && !other.option.empty()) SwitchFlag(s, other, true);
    if (!on && other.enabledBy == d.control && !other.option.empty()) SwitchFlag(s, other, false);
    if (other.follows == d.control) s.*other.flag = on;
  }
}

// The list options of one command line together replace the starting
// settings' list: the first one given clears it, later ones add to it.
void AddEdit(CommandLine& c, std::set<int>& listsGiven, int value, const std::string& arg) {
  auto set = [&](SettingsEdit edit) { c.edits.push_back(std::move(edit)); };
  const bool first = listsGiven.insert(value).second;
  if (value == kMenusOption) {
    return set([first, menus = ParseMenus(arg)](WizardSettings& s) {
      for (const SettingDescription* menu : MenuSettings())
        if (first) s.*menu->flag = false;
      for (const SettingDescription* menu : menus) s.*menu->flag = true;
    });
  }
  auto [setting, negation] = SettingOf(value);
  if (!setting) return;
  const SettingDescription& d = *setting;
  switch (d.kind) {
    case SettingKind::Flag:
      return set([&d, on = !negation](WizardSettings& s) { SwitchFlag(s, d, on); });
    case SettingKind::Text:
      return set([&d, arg](WizardSettings& s) { s.*d.text = arg; });
    case SettingKind::TextList:
      return set([&d, first, entry = ParseExtension(arg)](WizardSettings& s) {
        if (first) (s.*d.list).clear();
        if (entry) (s.*d.list).push_back(*entry);
      });
    case SettingKind::Speedbar:
      return set([&d, first, entries = ParseSpeedbar(arg)](WizardSettings& s) {
        if (first) (s.*d.entries).clear();
        (s.*d.entries).insert((s.*d.entries).end(), entries.begin(), entries.end());
      });
    case SettingKind::Number:
      return set([&d, number = ParseCodePage(arg)](WizardSettings& s) { s.*d.number = number; });
  }
}

std::vector<option> BuildLongOptions() {
  // The "no-" names live as long as the program.
  static std::vector<std::string> negations(SettingDescriptions().size());
  std::vector<option> options;
  for (const auto& d : SettingDescriptions()) {
    if (d.option.empty()) {
      if (&d == MenuSettings().front())
        options.push_back({"menus", required_argument, nullptr, kMenusOption});
      continue;
    }
    const bool flag = d.kind == SettingKind::Flag;
    options.push_back(
        {d.option.data(), flag ? no_argument : required_argument, nullptr, OptionValue(d)});
    if (flag) {
      std::string& no = negations[static_cast<std::size_t>(IndexOf(d))];
      no = "no-" + std::string(d.option);
      options.push_back({no.c_str(), no_argument, nullptr, kSettingNegation + IndexOf(d)});
    }
  }
  const option run[] = {
      {"dry-run", no_argument, nullptr, kOptDryRun},
      {"no-backup", no_argument, nullptr, kOptNoBackup},
      {"answers", required_argument, nullptr, kOptAnswers},
      {"write-answers", required_argument, nullptr, kOptWriteAnswers},
      {"convert", required_argument, nullptr, kOptConvert},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, kOptVersion},
      {nullptr, 0, nullptr, 0},
  };
  options.insert(options.end(), std::begin(run), std::end(run));
  return options;
}

// The letters, each taking a value but -h; the leading ':' tells a missing
// value apart from an unknown option.
std::string ShortOptions() {
  std::string letters = ":";
  for (const option& o : LongOptions())
    if (o.name && o.val < 256 && o.val != 'h') letters += {static_cast<char>(o.val), ':'};
  return letters + "h";
}

}  // namespace

WizardSettings CommandLine::Apply(WizardSettings settings) const {
  for (const auto& edit : edits) edit(settings);
  return settings;
}

const std::vector<option>& LongOptions() {
  static const std::vector<option> options = BuildLongOptions();
  return options;
}

CommandLine ParseCommandLine(int argc, char** argv) {
  static const std::string shortOptions = ShortOptions();
  CommandLine c;
  std::set<int> listsGiven;
  opterr = 0;
  optind = 0;  // a fresh scan
  for (;;) {
    int value = getopt_long(argc, argv, shortOptions.c_str(), LongOptions().data(), nullptr);
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
        AddEdit(c, listsGiven, value, optarg ? optarg : "");
        if (SettingOf(value).first == FindSetting("CodePage")) c.codePageGiven = true;
    }
  }
  c.operands.assign(argv + optind, argv + argc);
  return c;
}

}  // namespace orvalen::gen
