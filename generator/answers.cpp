#include "generator/answers.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "generator/command_table.h"
#include "generator/settings_description.h"
#include "platform/file_replace.h"
#include "platform/streams.h"

namespace orvalen {

namespace {

using Json = nlohmann::json;

// The key path of a setting in the file: "menus.file" is "file" inside "menus".
struct KeyPath {
  std::string_view group, key;  // group empty at the top
};

KeyPath PathOf(const SettingDescription& d) {
  const std::size_t dot = d.answerKey.find('.');
  if (dot == std::string_view::npos) return {{}, d.answerKey};
  return {d.answerKey.substr(0, dot), d.answerKey.substr(dot + 1)};
}

// The keys the file knows at the top, in the order it lists them.
std::vector<std::string> TopKeys() {
  std::vector<std::string> keys = {"format", "version"};
  for (const auto& d : SettingDescriptions()) {
    if (d.answerKey.empty()) continue;
    KeyPath path = PathOf(d);
    std::string top(path.group.empty() ? path.key : path.group);
    if (std::find(keys.begin(), keys.end(), top) == keys.end()) keys.push_back(top);
  }
  return keys;
}

// The keys inside a group, in order.
std::vector<std::string> GroupKeys(std::string_view group) {
  std::vector<std::string> keys;
  for (const auto& d : SettingDescriptions())
    if (!d.answerKey.empty() && PathOf(d).group == group) keys.emplace_back(PathOf(d).key);
  return keys;
}

std::string TypeName(const Json& value) {
  if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
  if (value.is_number()) return "the number " + value.dump();
  if (value.is_string()) return "the text " + value.dump(-1, ' ', false);
  if (value.is_array()) return "a list";
  if (value.is_object()) return "an object";
  return "null";
}

class Reader {
 public:
  explicit Reader(const std::string& source) : source_(source) {}

  [[noreturn]] void Fail(const std::string& place, const std::string& message) const {
    throw EAnswersError(source_ + ": " + (place.empty() ? "" : place + ": ") + message);
  }

  bool Bool(const Json& value, const std::string& place) const {
    if (!value.is_boolean()) Fail(place, "expected true or false, got " + TypeName(value));
    return value.get<bool>();
  }
  std::string String(const Json& value, const std::string& place) const {
    if (!value.is_string()) Fail(place, "expected a text in quotes, got " + TypeName(value));
    return value.get<std::string>();
  }
  long long Integer(const Json& value, const std::string& place) const {
    if (!value.is_number_integer()) Fail(place, "expected a whole number, got " + TypeName(value));
    if (value.is_number_unsigned() && value.get<unsigned long long>() > 1'000'000'000ULL)
      Fail(place, "the number " + value.dump() + " is out of range");
    return value.get<long long>();
  }
  const Json& List(const Json& value, const std::string& place) const {
    if (!value.is_array()) Fail(place, "expected a list in [ ], got " + TypeName(value));
    return value;
  }
  void KnownKeys(const Json& object, const std::string& prefix,
                 const std::vector<std::string>& keys) const {
    for (const auto& item : object.items()) {
      bool known = false;
      for (const auto& k : keys) known = known || item.key() == k;
      if (!known) {
        std::string list;
        for (const auto& k : keys) list += (list.empty() ? "" : ", ") + k;
        Fail(prefix + item.key(), "unknown key (known here: " + list + ")");
      }
    }
  }

 private:
  const std::string& source_;
};

Json Parse(std::string_view text, const Reader& reader) {
  // A key given twice in one object would silently win; it is refused instead.
  std::vector<std::set<std::string>> keys;
  std::string duplicate;
  auto callback = [&](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) keys.emplace_back();
    if (event == Json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
    if (event == Json::parse_event_t::key && !keys.empty() && duplicate.empty() &&
        !keys.back().insert(parsed.get<std::string>()).second)
      duplicate = parsed.get<std::string>();
    return true;
  };
  Json root;
  try {
    root = Json::parse(text.begin(), text.end(), callback);
  } catch (const Json::parse_error& e) {
    std::string message = e.what();
    auto at = message.find("parse error at ");
    reader.Fail("", at == std::string::npos ? message : message.substr(at + 15));
  }
  if (!duplicate.empty()) reader.Fail(duplicate, "the key is given twice");
  return root;
}

std::vector<std::string> ReadTexts(const Json& list, const std::string& place,
                                   const Reader& reader) {
  reader.List(list, place);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < list.size(); ++i)
    texts.push_back(reader.String(list[i], place + "[" + std::to_string(i) + "]"));
  return texts;
}

std::vector<int> ReadSpeedbar(const Json& list, const std::string& place, const Reader& reader) {
  std::vector<int> entries;
  const std::vector<std::string> names = ReadTexts(list, place, reader);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (name == "-") {
      entries.push_back(kSpeedbarSpace);
      continue;
    }
    const int found = CommandOfHandler(name);
    if (found < 0) {
      std::string known;
      for (int c = 0; c < kCommandCount; ++c) known += CommandHandler(c) + ", ";
      reader.Fail(place + "[" + std::to_string(i) + "]",
                  "unknown command \"" + name + "\" (known: " + known + "and \"-\" for a space)");
    }
    entries.push_back(kGlyphId + found);
  }
  return entries;
}

// One setting's value from the file into the settings.
void ReadValue(const SettingDescription& d, const Json& value, WizardSettings& s,
               const Reader& reader) {
  const std::string place(d.answerKey);
  switch (d.kind) {
    case SettingKind::Flag:
      s.*d.flag = reader.Bool(value, place);
      break;
    case SettingKind::Text:
      s.*d.text = reader.String(value, place);
      break;
    case SettingKind::TextList:
      s.*d.list = ReadTexts(value, place, reader);
      break;
    case SettingKind::Speedbar:
      s.*d.entries = ReadSpeedbar(value, place, reader);
      break;
    case SettingKind::Number:
      s.*d.number = static_cast<int>(reader.Integer(value, place));
      break;
  }
}

nlohmann::ordered_json WriteValue(const SettingDescription& d, const WizardSettings& s) {
  switch (d.kind) {
    case SettingKind::Flag:
      return s.*d.flag;
    case SettingKind::Text:
      return s.*d.text;
    case SettingKind::TextList:
      return s.*d.list;
    case SettingKind::Number:
      return s.*d.number;
    case SettingKind::Speedbar:
      break;
  }
  nlohmann::ordered_json speedbar = nlohmann::ordered_json::array();
  for (int id : s.*d.entries) {
    if (id == kSpeedbarSpace) {
      speedbar.push_back("-");
    } else if (id >= kGlyphId && id < kGlyphId + kCommandCount) {
      speedbar.push_back(CommandHandler(id - kGlyphId));
    } else {
      throw Error("The speedbar holds an unknown entry " + std::to_string(id) + ".");
    }
  }
  return speedbar;
}

}  // namespace

WizardSettings ReadAnswers(std::string_view text, const std::string& source) {
  Reader reader(source);
  Json root = Parse(text, reader);
  if (!root.is_object())
    reader.Fail("", "an answer file is one object in { }, got " + TypeName(root));
  if (!root.contains("format") || !root["format"].is_string() || root["format"] != kAnswersFormat)
    reader.Fail("format",
                "not an answer file: it needs \"format\": \"" + std::string(kAnswersFormat) + "\"");
  if (!root.contains("version")) reader.Fail("version", "the format's version is missing");
  long long version = reader.Integer(root["version"], "version");
  if (version > kAnswersVersion)
    reader.Fail("version", "version " + std::to_string(version) +
                               " is newer than this program reads (up to " +
                               std::to_string(kAnswersVersion) + ")");
  if (version < 1) reader.Fail("version", "version " + std::to_string(version) + " does not exist");
  reader.KnownKeys(root, "", TopKeys());

  WizardSettings s;
  s.AppPath.clear();
  std::vector<const SettingDescription*> given;
  for (const auto& d : SettingDescriptions()) {
    if (d.answerKey.empty()) continue;
    KeyPath path = PathOf(d);
    const Json* holder = &root;
    if (!path.group.empty()) {
      const std::string group(path.group);
      if (!root.contains(group)) continue;
      holder = &root[group];
      if (!holder->is_object())
        reader.Fail(group, "expected an object in { }, got " + TypeName(*holder));
      reader.KnownKeys(*holder, group + ".", GroupKeys(path.group));
    }
    const std::string key(path.key);
    if (!holder->contains(key)) continue;
    ReadValue(d, (*holder)[key], s, reader);
    given.push_back(&d);
  }
  // A setting the file leaves out that follows another takes its value: the
  // MDI child form goes with an MDI application unless the file says otherwise.
  for (const auto& d : SettingDescriptions())
    if (!d.follows.empty() && std::find(given.begin(), given.end(), &d) == given.end())
      s.*d.flag = s.*FindSetting(d.follows)->flag;
  if (auto found = CheckSettings(s)) {
    std::string place(found->setting->answerKey);
    if (found->problem.index >= 0) place += "[" + std::to_string(found->problem.index) + "]";
    reader.Fail(place, found->problem.message);
  }
  return s;
}

std::string WriteAnswers(const WizardSettings& s, bool withDirectory) {
  nlohmann::ordered_json root;
  root["format"] = kAnswersFormat;
  root["version"] = kAnswersVersion;
  for (const auto& d : SettingDescriptions()) {
    if (d.answerKey.empty() || (d.text == &WizardSettings::AppPath && !withDirectory)) continue;
    KeyPath path = PathOf(d);
    if (path.group.empty())
      root[std::string(path.key)] = WriteValue(d, s);
    else
      root[std::string(path.group)][std::string(path.key)] = WriteValue(d, s);
  }
  try {
    return root.dump(2, ' ', false) + "\n";
  } catch (const nlohmann::json::type_error&) {
    throw Error("The settings hold text that is not UTF-8; no answer file was written.");
  }
}

WizardSettings LoadAnswersFile(const std::string& path) {
  std::string text;
  try {
    text = platform::ReadFileBytes(path);
  } catch (const Error&) {
    throw EAnswersError(path + ": cannot be read: " + std::strerror(errno));
  }
  return ReadAnswers(text, path);
}

void SaveAnswersFile(const std::string& path, const WizardSettings& settings, bool withDirectory) {
  const std::string text = WriteAnswers(settings, withDirectory);
  try {
    platform::ReplaceFile(path, text);
  } catch (const platform::EReplaceFileError& e) {
    throw Error("Cannot write the answer file " + path + ": " + std::strerror(e.Errno()));
  }
}

}  // namespace orvalen
