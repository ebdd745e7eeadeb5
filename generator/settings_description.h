// Every wizard setting, described once: the WizardSettings member it lives
// in, its key in an answer file, its command-line option, the name under
// which the wizard remembers it, its enabling rule and its check. The wizard's
// binding, the remembered settings, the answer files, orvalen-gen's parser and
// its --help all read this one table, so every front end accepts and refuses
// the same things with the same messages.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generator/wizard_settings.h"

namespace orvalen {

enum class SettingKind {
  Flag,      // a check box: bool
  Text,      // an edit: std::string, UTF-8 as typed
  TextList,  // the document types: std::vector<std::string>
  Speedbar,  // glyph ids and spaces: std::vector<int>
  Number,    // the code page: int
};

// What a check found: the message and, for a list, the entry it is about.
struct SettingProblem {
  std::string message;
  int index = -1;
};

struct SettingDescription {
  std::string_view control;  // the member and the wizard's control: "cbFileMenu"
  SettingKind kind = SettingKind::Flag;
  // The key in an answer file, dotted for a nested object ("menus.file");
  // empty where the file does not hold the setting.
  std::string_view answerKey;
  // The long option ("name"; a flag's option also comes as "no-" + it) and its
  // letter, or empty and 0. A menu has no option of its own: its word in
  // --menus is menuWord.
  std::string_view option;
  char shortOption = 0;
  std::string_view menuWord;
  // The remembered property ("cbFileMenu.Checked") and its place among the
  // remembered properties, the order they are restored in (1 first); empty and
  // 0 for a setting the wizard does not remember.
  std::string_view stored;
  int storedOrder = 0;
  // A flag whose control is enabled only while this other flag is set
  // (cbMRU by cbFileMenu). Enabling never changes a flag's value.
  std::string_view enabledBy;
  // A flag that, where a front end sets its leader and leaves it alone, takes
  // the leader's value (cbMDIform follows cbMDIApp).
  std::string_view follows;
  // --help's two columns: the option as written, and what it does.
  std::string_view usage, help;

  bool WizardSettings::*flag = nullptr;
  std::string WizardSettings::*text = nullptr;
  std::vector<std::string> WizardSettings::*list = nullptr;
  std::vector<int> WizardSettings::*entries = nullptr;
  int WizardSettings::*number = nullptr;
  // The setting's own check, as Finish, orvalen-gen and the answer files
  // apply it; null for a setting any value of which is fine.
  std::optional<SettingProblem> (*check)(const WizardSettings&) = nullptr;
};

// Calls `use` with the setting's member pointer, of the type its kind holds.
template <typename Use>
decltype(auto) WithMember(const SettingDescription& setting, Use&& use) {
  switch (setting.kind) {
    case SettingKind::Text:
      return use(setting.text);
    case SettingKind::TextList:
      return use(setting.list);
    case SettingKind::Speedbar:
      return use(setting.entries);
    case SettingKind::Number:
      return use(setting.number);
    case SettingKind::Flag:
      break;
  }
  return use(setting.flag);
}

// All settings, in the order an answer file lists them.
std::span<const SettingDescription> SettingDescriptions();
// The setting of that control, or null.
const SettingDescription* FindSetting(std::string_view control);
// The remembered settings, in the order they are restored.
std::vector<const SettingDescription*> StoredSettings();

// Whether two settings values agree on this setting.
bool SameValue(const SettingDescription& setting, const WizardSettings& a, const WizardSettings& b);
// Copies one setting's value from `from` into `to`.
void CopyValue(const SettingDescription& setting, const WizardSettings& from, WizardSettings& to);

// The first problem of `settings`, in the table's order, with its setting.
struct SettingsProblem {
  const SettingDescription* setting;
  SettingProblem problem;
};
std::optional<SettingsProblem> CheckSettings(const WizardSettings& settings);

// The settings part of orvalen-gen's --help, from the table.
std::string SettingsUsage();

}  // namespace orvalen
