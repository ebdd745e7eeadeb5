#include "generator/settings_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "generator/command_table.h"
#include "generator/filter_string.h"
#include "generator/string_ids.h"
#include "platform/codepage.h"
#include "platform/resources.h"

namespace orvalen {

namespace {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// Reserved words of the language, and the names the program file itself
// uses (its units), which a program name would clash with.
constexpr std::array<std::string_view, 70> kReserved = {
    "and", "array", "as", "asm", "begin", "case", "class", "const", "constructor", "destructor",
    "dispinterface", "div", "do", "downto", "else", "end", "except", "exports", "file",
    "finalization", "finally", "for", "function", "goto", "if", "implementation", "in", "inherited",
    "initialization", "inline", "interface", "is", "label", "library", "mod", "nil", "not",
    "object", "of", "or", "out", "packed", "procedure", "program", "property", "raise", "record",
    "repeat", "resourcestring", "set", "shl", "shr", "string", "then", "threadvar", "to", "try",
    "type", "unit", "until", "uses", "var", "while", "with", "xor",
    // units of the program file
    "main", "forms", "windows", "system", "sysinit"};

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

bool IsReservedWord(std::string_view name) {
  std::string lower = Lower(name);
  return std::find(kReserved.begin(), kReserved.end(), lower) != kReserved.end();
}

std::optional<std::string> CheckAppName(std::string_view name) {
  if (name.empty()) return platform::LoadStr(ids::kNameRequired);
  if (!IsValidIdent(name) || IsReservedWord(name))
    return platform::LoadStr(ids::kNameNotIdentifier);
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
