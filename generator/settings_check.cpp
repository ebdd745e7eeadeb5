#include "generator/settings_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "generator/command_table.h"
#include "generator/filter_string.h"
#include "generator/pascal_words.h"
#include "generator/string_ids.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/resources.h"

namespace orvalen {

namespace {

// The units the generated program file names in its uses clause, or is
// itself: a program of one of these names would clash with them.
constexpr std::array<std::string_view, 5> kProgramUnitNames = {"main", "forms", "windows", "system",
                                                               "sysinit"};

bool IsProgramUnitName(std::string_view name) {
  return std::any_of(kProgramUnitNames.begin(), kProgramUnitNames.end(),
                     [&](std::string_view unit) { return platform::SameText(name, unit); });
}

constexpr std::array<std::string_view, kMenuCount> kMenuWords = {"File", "Edit", "Window", "Help"};

}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto alpha = [](unsigned char c) { return std::isalpha(c) || c == '_'; };
  if (!alpha(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 128 && (alpha(u) || std::isdigit(u));
  });
}

std::optional<std::string> CheckAppName(std::string_view name) {
  if (name.empty()) return platform::LoadStr(ids::kNameRequired);
  if (!IsValidIdent(name)) return platform::LoadStr(ids::kNameNotIdentifier);
  // Valid identifiers refused on purpose say why.
  if (IsReservedWord(name))
    return "The application name \"" + std::string(name) +
           "\" is a reserved word of Object Pascal.";
  if (IsProgramUnitName(name))
    return "The application name \"" + std::string(name) +
           "\" is the name of a unit the generated program uses.";
  if (name.size() > kMaxAppNameLength)
    return "The application name is too long: at most " + std::to_string(kMaxAppNameLength) +
           " characters are possible.";
  return std::nullopt;
}

std::optional<std::string> CheckSpeedbar(const WizardSettings& s) {
  for (int i = 0; i < s.SpeedbarCount(); ++i) {
    int id = s.SpeedbarItemId(i);
    if (id == kSpeedbarSpace) continue;
    int command = CommandOfGlyph(id);
    if (command < 0) return "The speedbar holds an unknown command (" + std::to_string(id) + ").";
    if (!s.MenuChecked(MenuOfCommand(command)))
      return "The speed button " + CommandHandler(command) + " needs the " +
             std::string(kMenuWords[MenuOfCommand(command)]) + " menu, which is not chosen.";
  }
  return std::nullopt;
}

// A longer filter would be cut in the middle of the dialog object, and the
// form text would no longer parse: better refused before anything is written.
std::optional<std::string> CheckFilter(const WizardSettings& s) {
  if (!s.cbFileMenu) return std::nullopt;
  std::size_t length = FilterFormText(FilterString(s.ExtListBox)).size();
  if (length <= kMaxFilterTextLength) return std::nullopt;
  return "The file extension list is too long: the Open and Save dialogs' filter takes " +
         std::to_string(length) + " characters, at most " + std::to_string(kMaxFilterTextLength) +
         " are possible.";
}

std::optional<std::string> EncodeTypedText(WizardSettings& s) {
  // The Lazarus target's files are UTF-8: the typed text is written as typed.
  if (s.Lazarus()) return std::nullopt;
  std::vector<std::string> entries;
  entries.reserve(s.ExtListBox.size());
  try {
    // An unknown code page is refused also when there is nothing to convert.
    platform::Utf8ToCodePage({}, s.CodePage);
    for (const auto& entry : s.ExtListBox)
      entries.push_back(platform::Utf8ToCodePage(entry, s.CodePage));
  } catch (const platform::ECodePageError& e) {
    return e.what();
  }
  s.ExtListBox = std::move(entries);
  return std::nullopt;
}

}  // namespace orvalen
