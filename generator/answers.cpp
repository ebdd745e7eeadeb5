#include "generator/answers.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "generator/command_table.h"
#include "generator/settings_check.h"
#include "platform/codepage.h"
#include "platform/streams.h"

namespace orvalen {

namespace {

using Json = nlohmann::json;

// A flag of the settings and its key in the file.
struct FlagKey {
  const char* key;
  bool WizardSettings::*flag;
};
// The menu flags in the order the Menus page shows them.
constexpr FlagKey kMenuKeys[] = {
    {"file", &WizardSettings::cbFileMenu},     {"edit", &WizardSettings::cbEditMenu},
    {"window", &WizardSettings::cbWindowMenu}, {"help", &WizardSettings::cbHelpMenu},
    {"recentFiles", &WizardSettings::cbMRU},   {"recentFilesInRegistry", &WizardSettings::cbMRUReg},
};

// The switches of the AppInfo and Extras pages.
constexpr FlagKey kOptionKeys[] = {
    {"mdi", &WizardSettings::cbMDIApp},
    {"mdiChildForm", &WizardSettings::cbMDIform},
    {"statusLine", &WizardSettings::cbStatusLine},
    {"hints", &WizardSettings::cbHints},
    {"singleInstance", &WizardSettings::SingleInstanceApp},
};

const char* const kTopKeys[] = {
    "format", "version",      "name",       "directory", "menus",          "fileTypes", "speedbar",
    "mdi",    "mdiChildForm", "statusLine", "hints",     "singleInstance", "codePage"};

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
  } catch (const Json::out_of_range& e) {
    // A number beyond what any number type holds ("1e999").
    std::string message = e.what();
    auto at = message.find("] ");
    reader.Fail("", at == std::string::npos ? message : message.substr(at + 2));
  }
  if (!duplicate.empty()) reader.Fail(duplicate, "the key is given twice");
  return root;
}

void ReadFileTypes(const Json& list, WizardSettings& s, const Reader& reader) {
  reader.List(list, "fileTypes");
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::string place = "fileTypes[" + std::to_string(i) + "]";
    std::string entry = reader.String(list[i], place);
    auto bar = entry.find('|');
    if (bar == std::string::npos || bar == 0 || bar + 1 == entry.size())
      reader.Fail(place, "a document type reads \"DESCRIPTION|PATTERNS\", got \"" + entry + "\"");
    s.ExtListBox.push_back(entry);
  }
}

void ReadSpeedbar(const Json& list, WizardSettings& s, const Reader& reader) {
  reader.List(list, "speedbar");
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::string place = "speedbar[" + std::to_string(i) + "]";
    std::string name = reader.String(list[i], place);
    if (name == "-") {
      s.Speedbar.push_back(kSpeedbarSpace);
      continue;
    }
    const int found = CommandOfHandler(name);
    if (found < 0) {
      std::string known;
      for (int c = 0; c < kCommandCount; ++c) known += CommandHandler(c) + ", ";
      reader.Fail(place,
                  "unknown command \"" + name + "\" (known: " + known + "and \"-\" for a space)");
    }
    s.Speedbar.push_back(kGlyphId + found);
  }
}

// What the wizard's Finish refuses, each named by the place that holds it.
void CheckValues(const WizardSettings& s, const Reader& reader) {
  if (auto message = CheckAppName(s.AppName)) reader.Fail("name", *message);
  if (auto message = CheckSpeedbar(s)) reader.Fail("speedbar", *message);
  try {
    platform::Utf8ToCodePage("", s.CodePage);
  } catch (const platform::ECodePageError& e) {
    reader.Fail("codePage", e.what());
  }
  for (std::size_t i = 0; i < s.ExtListBox.size(); ++i) {
    try {
      platform::Utf8ToCodePage(s.ExtListBox[i], s.CodePage);
    } catch (const platform::ECodePageError& e) {
      reader.Fail("fileTypes[" + std::to_string(i) + "]", e.what());
    }
  }
  WizardSettings encoded = s;
  EncodeTypedText(encoded);
  if (auto message = CheckFilter(encoded)) reader.Fail("fileTypes", *message);
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
  reader.KnownKeys(root, "", {std::begin(kTopKeys), std::end(kTopKeys)});

  WizardSettings s;
  s.AppPath.clear();
  if (root.contains("name")) s.AppName = reader.String(root["name"], "name");
  if (root.contains("directory")) s.AppPath = reader.String(root["directory"], "directory");
  if (root.contains("menus")) {
    const Json& menus = root["menus"];
    if (!menus.is_object())
      reader.Fail("menus", "expected an object in { }, got " + TypeName(menus));
    std::vector<std::string> known;
    for (const auto& m : kMenuKeys) known.push_back(m.key);
    reader.KnownKeys(menus, "menus.", known);
    for (const auto& m : kMenuKeys)
      if (menus.contains(m.key))
        s.*m.flag = reader.Bool(menus[m.key], std::string("menus.") + m.key);
  }
  if (root.contains("fileTypes")) ReadFileTypes(root["fileTypes"], s, reader);
  if (root.contains("speedbar")) ReadSpeedbar(root["speedbar"], s, reader);
  for (const auto& o : kOptionKeys)
    if (root.contains(o.key)) s.*o.flag = reader.Bool(root[o.key], o.key);
  // A file that does not say otherwise offers the MDI child form with an MDI application.
  if (!root.contains("mdiChildForm")) s.cbMDIform = s.cbMDIApp;
  s.siDDE = s.SingleInstanceApp;
  if (root.contains("codePage"))
    s.CodePage = static_cast<int>(reader.Integer(root["codePage"], "codePage"));
  CheckValues(s, reader);
  return s;
}

std::string WriteAnswers(const WizardSettings& s, bool withDirectory) {
  nlohmann::ordered_json root;
  root["format"] = kAnswersFormat;
  root["version"] = kAnswersVersion;
  root["name"] = s.AppName;
  if (withDirectory) root["directory"] = s.AppPath;
  nlohmann::ordered_json menus = nlohmann::ordered_json::object();
  for (const auto& m : kMenuKeys) menus[m.key] = s.*m.flag;
  root["menus"] = menus;
  root["fileTypes"] = s.ExtListBox;
  nlohmann::ordered_json speedbar = nlohmann::ordered_json::array();
  for (int id : s.Speedbar) {
    if (id == kSpeedbarSpace) {
      speedbar.push_back("-");
    } else if (id >= kGlyphId && id < kGlyphId + kCommandCount) {
      speedbar.push_back(CommandHandler(id - kGlyphId));
    } else {
      throw Error("The speedbar holds an unknown entry " + std::to_string(id) + ".");
    }
  }
  root["speedbar"] = speedbar;
  for (const auto& o : kOptionKeys) root[o.key] = s.*o.flag;
  root["codePage"] = s.CodePage;
  try {
    return root.dump(2, ' ', false) + "\n";
  } catch (const nlohmann::json::type_error&) {
    throw Error("The settings hold text that is not UTF-8; no answer file was written.");
  }
}

WizardSettings LoadAnswersFile(const std::string& path) {
  std::string text;
  try {
    text = platform::ReadRegularFile(path, platform::kMaxAnswersFileSize);
  } catch (const platform::EFileRefused& e) {
    throw EAnswersError(e.what());
  }
  return ReadAnswers(text, path);
}

void SaveAnswersFile(const std::string& path, const WizardSettings& settings, bool withDirectory) {
  const std::string text = WriteAnswers(settings, withDirectory);
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  try {
    platform::FileStream file(temporary);
    file.Write(text);
    file.Close();
  } catch (const Error&) {
    std::remove(temporary.c_str());
    throw Error("Cannot write the answer file " + path + ": " + std::strerror(errno));
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    int error = errno;
    std::remove(temporary.c_str());
    throw Error("Cannot write the answer file " + path + ": " + std::strerror(error));
  }
}

}  // namespace orvalen
