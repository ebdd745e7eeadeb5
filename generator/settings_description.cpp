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

SettingDescription Setting(std::string_view control, SettingKind kind, std::string_view answerKey) {
  SettingDescription d;
  d.control = control;
  d.kind = kind;
  d.answerKey = answerKey;
  return d;
}

SettingDescription Flag(std::string_view control, bool S::*member, std::string_view answerKey) {
  SettingDescription d = Setting(control, K::Flag, answerKey);
  d.flag = member;
  return d;
}

SettingDescription Menu(std::string_view control, bool S::*member, std::string_view answerKey,
                        std::string_view word) {
  SettingDescription d = Flag(control, member, answerKey);
  d.menuWord = word;
  return d;
}

// The stored property of a setting: control "." property.
constexpr std::array<std::string_view, 14> kStoredNames = {
    "AppPath.Text",         "cbFileMenu.Checked", "cbEditMenu.Checked",
    "cbHelpMenu.Checked",   "cbHints.Checked",    "cbMDIApp.Checked",
    "cbMDIform.Checked",    "cbMRU.Checked",      "cbStatusLine.Checked",
    "cbWindowMenu.Checked", "ExtListBox.Items",   "SingleInstanceApp.Checked",
    "cbMRUReg.Checked",     "Target.Text"};

std::vector<SettingDescription> Build() {
  std::vector<SettingDescription> all;
  SettingDescription name = Setting("AppName", K::Text, "name");
  name.option = "name";
  name.shortOption = 'n';
  name.usage = "-n, --name NAME";
  name.help =
      "application name, a Pascal identifier of at most 61\n"
      "characters (default AppName)";
  name.text = &S::AppName;
  name.check = CheckName;
  all.push_back(name);

  // The directory is DIRECTORY on the command line; Finish checks it exists,
  // orvalen-gen creates it.
  SettingDescription path = Setting("AppPath", K::Text, "directory");
  path.text = &S::AppPath;
  all.push_back(path);

  SettingDescription file = Menu("cbFileMenu", &S::cbFileMenu, "menus.file", "file");
  // The four menus share --menus; its help stands with the first.
  file.usage = "-m, --menus LIST";
  file.help =
      "comma-separated subset of file,edit,window,help; ''\n"
      "for none (the default)";
  all.push_back(file);
  all.push_back(Menu("cbEditMenu", &S::cbEditMenu, "menus.edit", "edit"));
  all.push_back(Menu("cbWindowMenu", &S::cbWindowMenu, "menus.window", "window"));
  all.push_back(Menu("cbHelpMenu", &S::cbHelpMenu, "menus.help", "help"));

  SettingDescription mru = Flag("cbMRU", &S::cbMRU, "menus.recentFiles");
  mru.option = "recent";
  mru.enabledBy = "cbFileMenu";
  mru.usage = "    --recent, --no-recent";
  mru.help = "the File menu gets the recent-files list, or not";
  all.push_back(mru);

  SettingDescription mruReg = Flag("cbMRUReg", &S::cbMRUReg, "menus.recentFilesInRegistry");
  mruReg.option = "recent-registry";
  mruReg.enabledBy = "cbMRU";
  mruReg.usage = "    --recent-registry, --no-recent-registry";
  mruReg.help =
      "the recent-files list is kept in the registry (and\n"
      "--recent is implied), or not";
  all.push_back(mruReg);

  SettingDescription types = Setting("ExtListBox", K::TextList, "fileTypes");
  types.option = "ext";
  types.shortOption = 'e';
  types.usage = "-e, --ext 'DESC|PATTERNS'";
  types.help =
      "a document type for the Open and Save dialogs;\n"
      "repeat, in order; '' for none";
  types.list = &S::ExtListBox;
  types.check = CheckDocumentTypes;
  all.push_back(types);

  SettingDescription speedbar = Setting("Speedbar", K::Speedbar, "speedbar");
  speedbar.option = "speedbar";
  speedbar.shortOption = 's';
  speedbar.usage = "-s, --speedbar LIST";
  speedbar.help =
      "comma-separated handler names (FileNew, FileOpen,\n"
      "EditCut, ...) and '-' for a space; '' for none";
  speedbar.entries = &S::Speedbar;
  speedbar.check = CheckSpeedbarOf;
  all.push_back(speedbar);

  SettingDescription mdi = Flag("cbMDIApp", &S::cbMDIApp, "mdi");
  mdi.option = "mdi";
  mdi.usage = "    --mdi, --no-mdi";
  mdi.help =
      "the main form is an MDI frame (the default), or an\n"
      "ordinary window";
  all.push_back(mdi);

  SettingDescription child = Flag("cbMDIform", &S::cbMDIform, "mdiChildForm");
  child.enabledBy = "cbMDIApp";
  child.follows = "cbMDIApp";
  all.push_back(child);

  SettingDescription status = Flag("cbStatusLine", &S::cbStatusLine, "statusLine");
  status.option = "status-line";
  status.usage = "    --status-line, --no-status-line";
  status.help = "the main form has a status line (the default), or not";
  all.push_back(status);

  SettingDescription hints = Flag("cbHints", &S::cbHints, "hints");
  hints.option = "hints";
  hints.usage = "    --hints, --no-hints";
  hints.help = "the application shows hints (the default), or not";
  all.push_back(hints);

  SettingDescription single = Flag("SingleInstanceApp", &S::SingleInstanceApp, "singleInstance");
  single.option = "single-instance";
  single.usage = "    --single-instance, --no-single-instance";
  single.help =
      "one instance of the application at a time, or any\n"
      "number (the default)";
  all.push_back(single);

  // Hidden in the wizard; it goes with SingleInstanceApp wherever that is set.
  SettingDescription dde = Flag("siDDE", &S::siDDE, "");
  dde.enabledBy = "SingleInstanceApp";
  dde.follows = "SingleInstanceApp";
  all.push_back(dde);

  SettingDescription codePage = Setting("CodePage", K::Number, "codePage");
  codePage.option = "codepage";
  codePage.usage = "    --codepage N";
  codePage.help = "the ANSI code page of the generated text (default 1252)";
  codePage.number = &S::CodePage;
  codePage.check = CheckCodePage;
  all.push_back(codePage);

  // After the code page, whose check it completes.
  SettingDescription target = Setting("Target", K::Text, "target");
  target.option = "target";
  target.usage = "    --target vcl|lcl";
  target.help =
      "vcl: the Windows project (the default); lcl: a Lazarus\n"
      "project (UTF-8, .lpr, .lpi, .lfm forms) for the LCL";
  target.text = &S::Target;
  target.check = CheckTarget;
  all.push_back(target);

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
  switch (d.kind) {
    case K::Flag:
      return a.*d.flag == b.*d.flag;
    case K::Text:
      return a.*d.text == b.*d.text;
    case K::TextList:
      return a.*d.list == b.*d.list;
    case K::Speedbar:
      return a.*d.entries == b.*d.entries;
    case K::Number:
      return a.*d.number == b.*d.number;
  }
  return false;
}

void CopyValue(const SettingDescription& d, const WizardSettings& from, WizardSettings& to) {
  switch (d.kind) {
    case K::Flag:
      to.*d.flag = from.*d.flag;
      break;
    case K::Text:
      to.*d.text = from.*d.text;
      break;
    case K::TextList:
      to.*d.list = from.*d.list;
      break;
    case K::Speedbar:
      to.*d.entries = from.*d.entries;
      break;
    case K::Number:
      to.*d.number = from.*d.number;
      break;
  }
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
