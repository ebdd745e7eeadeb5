#include "generator/settings_description.h"

#include <algorithm>
#include <array>

#include "generator/document_type.h"
#include "generator/settings_check.h"
#include "platform/codepage.h"

namespace orvalen {

namespace {

using S = WizardSettings;
using K = SettingKind;

std::optional<SettingProblem> Problem(std::optional<std::string> message, int index = -1) {
  if (!message) return std::nullopt;
  return SettingProblem{std::move(*message), index};
}

std::optional<SettingProblem> CheckName(const S& s) {
  return Problem(CheckAppName(s.AppName));
}

// Each entry's shape, then that it can be written in the code page (an
// unknown code page is the code page's own problem), then the whole filter.
std::optional<SettingProblem> CheckDocumentTypes(const S& s) {
  for (std::size_t i = 0; i < s.ExtListBox.size(); ++i)
    if (auto problem = Problem(CheckDocumentType(s.ExtListBox[i]), static_cast<int>(i)))
      return problem;
  // The Lazarus target's text is UTF-8, which holds whatever was typed.
  if (s.Lazarus()) return Problem(CheckFilter(s));
  if (!platform::IsSupportedCodePage(s.CodePage)) return std::nullopt;
  WizardSettings encoded = s;
  for (std::size_t i = 0; i < s.ExtListBox.size(); ++i) {
    try {
      encoded.ExtListBox[i] = platform::Utf8ToCodePage(s.ExtListBox[i], s.CodePage);
    } catch (const platform::ECodePageError& e) {
      return SettingProblem{e.what(), static_cast<int>(i)};
    }
  }
  return Problem(CheckFilter(encoded));
}

std::optional<SettingProblem> CheckSpeedbarOf(const S& s) {
  return Problem(CheckSpeedbar(s));
}

std::optional<SettingProblem> CheckCodePage(const S& s) {
  try {
    platform::Utf8ToCodePage({}, s.CodePage);
  } catch (const platform::ECodePageError& e) {
    return SettingProblem{e.what()};
  }
  return std::nullopt;
}

std::optional<SettingProblem> CheckTarget(const S& s) {
  if (s.Target != S::kTargetVcl && s.Target != S::kTargetLcl)
    return SettingProblem{"unknown target '" + s.Target + "' (choose from vcl, lcl)"};
  if (s.Lazarus() && s.CodePage != WizardSettings().CodePage)
    return SettingProblem{
        "the Lazarus target writes UTF-8: a code page applies only to the Windows target"};
  return std::nullopt;
}

// One entry of the table, filled in by named steps.
struct Entry : SettingDescription {
  Entry(std::string_view name, SettingKind k, std::string_view key) {
    control = name;
    kind = k;
    answerKey = key;
  }
  Entry(std::string_view name, bool S::*member, std::string_view key) : Entry(name, K::Flag, key) {
    flag = member;
  }
  Entry& Option(std::string_view longName, char letter = 0) {
    option = longName;
    shortOption = letter;
    return *this;
  }
  Entry& Help(std::string_view written, std::string_view what) {
    usage = written;
    help = what;
    return *this;
  }
  Entry& Menu(std::string_view word) {
    menuWord = word;
    return *this;
  }
  Entry& EnabledBy(std::string_view leader, bool followsIt = false) {
    enabledBy = leader;
    if (followsIt) follows = leader;
    return *this;
  }
  Entry& Check(std::optional<SettingProblem> (*rule)(const S&)) {
    check = rule;
    return *this;
  }
};

Entry Text(std::string_view name, std::string S::*member, std::string_view key) {
  Entry e(name, K::Text, key);
  e.text = member;
  return e;
}

// The remembered properties, control "." property, in the order they are restored.
constexpr std::array<std::string_view, 14> kStoredNames = {
    "AppPath.Text",         "cbFileMenu.Checked", "cbEditMenu.Checked",
    "cbHelpMenu.Checked",   "cbHints.Checked",    "cbMDIApp.Checked",
    "cbMDIform.Checked",    "cbMRU.Checked",      "cbStatusLine.Checked",
    "cbWindowMenu.Checked", "ExtListBox.Items",   "SingleInstanceApp.Checked",
    "cbMRUReg.Checked",     "Target.Text"};

std::vector<SettingDescription> Build() {
  Entry types("ExtListBox", K::TextList, "fileTypes");
  types.list = &S::ExtListBox;
  Entry speedbar("Speedbar", K::Speedbar, "speedbar");
  speedbar.entries = &S::Speedbar;
  Entry codePage("CodePage", K::Number, "codePage");
  codePage.number = &S::CodePage;

  std::vector<SettingDescription> all = {
      Text("AppName", &S::AppName, "name")
          .Option("name", 'n')
          .Help("-n, --name NAME",
                "application name, a Pascal identifier of at most 61\n"
                "characters (default AppName)")
          .Check(CheckName),
      // DIRECTORY on the command line; Finish checks it exists, orvalen-gen creates it.
      Text("AppPath", &S::AppPath, "directory"),
      // The four menus share --menus; its help stands with the first.
      Entry("cbFileMenu", &S::cbFileMenu, "menus.file")
          .Menu("file")
          .Help("-m, --menus LIST",
                "comma-separated subset of file,edit,window,help; ''\n"
                "for none (the default)"),
      Entry("cbEditMenu", &S::cbEditMenu, "menus.edit").Menu("edit"),
      Entry("cbWindowMenu", &S::cbWindowMenu, "menus.window").Menu("window"),
      Entry("cbHelpMenu", &S::cbHelpMenu, "menus.help").Menu("help"),
      Entry("cbMRU", &S::cbMRU, "menus.recentFiles")
          .Option("recent")
          .EnabledBy("cbFileMenu")
          .Help("    --recent, --no-recent", "the File menu gets the recent-files list, or not"),
      Entry("cbMRUReg", &S::cbMRUReg, "menus.recentFilesInRegistry")
          .Option("recent-registry")
          .EnabledBy("cbMRU")
          .Help("    --recent-registry, --no-recent-registry",
                "the recent-files list is kept in the registry (and\n"
                "--recent is implied), or not"),
      types.Option("ext", 'e')
          .Help("-e, --ext 'DESC|PATTERNS'",
                "a document type for the Open and Save dialogs;\n"
                "repeat, in order; '' for none")
          .Check(CheckDocumentTypes),
      speedbar.Option("speedbar", 's')
          .Help("-s, --speedbar LIST",
                "comma-separated handler names (FileNew, FileOpen,\n"
                "EditCut, ...) and '-' for a space; '' for none")
          .Check(CheckSpeedbarOf),
      Entry("cbMDIApp", &S::cbMDIApp, "mdi")
          .Option("mdi")
          .Help("    --mdi, --no-mdi",
                "the main form is an MDI frame (the default), or an\n"
                "ordinary window"),
      Entry("cbMDIform", &S::cbMDIform, "mdiChildForm").EnabledBy("cbMDIApp", true),
      Entry("cbStatusLine", &S::cbStatusLine, "statusLine")
          .Option("status-line")
          .Help("    --status-line, --no-status-line",
                "the main form has a status line (the default), or not"),
      Entry("cbHints", &S::cbHints, "hints")
          .Option("hints")
          .Help("    --hints, --no-hints", "the application shows hints (the default), or not"),
      Entry("SingleInstanceApp", &S::SingleInstanceApp, "singleInstance")
          .Option("single-instance")
          .Help("    --single-instance, --no-single-instance",
                "one instance of the application at a time, or any\n"
                "number (the default)"),
      // Hidden in the wizard; it goes with SingleInstanceApp wherever that is set.
      Entry("siDDE", &S::siDDE, "").EnabledBy("SingleInstanceApp", true),
      codePage.Option("codepage")
          .Help("    --codepage N", "the ANSI code page of the generated text (default 1252)")
          .Check(CheckCodePage),
      // After the code page, whose check it completes.
      Text("Target", &S::Target, "target")
          .Option("target")
          .Help("    --target vcl|lcl",
                "vcl: the Windows project (the default); lcl: a Lazarus\n"
                "project (UTF-8, .lpr, .lpi, .lfm forms) for the LCL")
          .Check(CheckTarget),
  };
  for (auto& d : all) {
    for (std::size_t i = 0; i < kStoredNames.size(); ++i) {
      std::string_view stored = kStoredNames[i];
      if (stored.substr(0, stored.find('.')) == d.control) {
        d.stored = stored;
        d.storedOrder = static_cast<int>(i) + 1;
      }
    }
  }
  return all;
}

}  // namespace

std::span<const SettingDescription> SettingDescriptions() {
  static const std::vector<SettingDescription> all = Build();
  return all;
}

const SettingDescription* FindSetting(std::string_view control) {
  for (const auto& d : SettingDescriptions())
    if (d.control == control) return &d;
  return nullptr;
}

std::vector<const SettingDescription*> StoredSettings() {
  std::vector<const SettingDescription*> stored;
  for (const auto& d : SettingDescriptions())
    if (d.storedOrder > 0) stored.push_back(&d);
  std::sort(stored.begin(), stored.end(),
            [](auto* a, auto* b) { return a->storedOrder < b->storedOrder; });
  return stored;
}

bool SameValue(const SettingDescription& d, const WizardSettings& a, const WizardSettings& b) {
  return WithMember(d, [&](auto member) { return a.*member == b.*member; });
}

void CopyValue(const SettingDescription& d, const WizardSettings& from, WizardSettings& to) {
  WithMember(d, [&](auto member) { to.*member = from.*member; });
}

std::optional<SettingsProblem> CheckSettings(const WizardSettings& settings) {
  for (const auto& d : SettingDescriptions())
    if (d.check)
      if (auto problem = d.check(settings)) return SettingsProblem{&d, std::move(*problem)};
  return std::nullopt;
}

std::string SettingsUsage() {
  constexpr std::size_t kColumn = 24;
  std::string text;
  for (const auto& d : SettingDescriptions()) {
    if (d.usage.empty()) continue;
    std::string line = "  " + std::string(d.usage);
    if (line.size() + 2 <= kColumn)
      line.resize(kColumn, ' ');
    else
      line += "\n" + std::string(kColumn, ' ');
    std::string_view help = d.help;
    for (std::size_t start = 0; start < help.size();) {
      std::size_t end = help.find('\n', start);
      if (end == std::string_view::npos) end = help.size();
      if (start > 0) line += std::string(kColumn, ' ');
      line += std::string(help.substr(start, end - start)) + "\n";
      start = end + 1;
    }
    text += line;
  }
  return text;
}

}  // namespace orvalen
