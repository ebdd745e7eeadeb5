#include "wizard/core/form_storage.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "platform/ascii_case.h"
#include "platform/program_file.h"

namespace orvalen::wizard {
namespace {

constexpr std::string_view kSection = "AppExpert";
constexpr std::string_view kCount = "Count";

// One line of StoredProps split at its dot.
struct StoredProp {
  std::string_view control;
  std::string_view property;
};

StoredProp Split(std::string_view line) {
  std::size_t dot = line.find('.');
  return {line.substr(0, dot), line.substr(dot + 1)};
}

// Blanks and control characters off both ends, as the edit's text is stored.
std::string Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// The list's "Count" as a decimal integer; not a number, or beyond 64 bits: 0.
long long ParseCount(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  long long count = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return count;
}

// Absolute paths, so that each property opens its key whatever was open before.
std::string Absolute(const std::string& keyPath, std::string_view subkey = {}) {
  std::string path = "\\";
  path += keyPath;
  if (!subkey.empty()) {
    path += '\\';
    path += subkey;
  }
  return path;
}

std::string ValueName(const StoredProp& p) {
  return std::string(p.control) + "_" + std::string(p.property);
}

// The list's sibling key: section, ".", control "_" property.
std::string ListKey(const StoredProp& p) {
  return std::string(kSection) + "." + ValueName(p);
}

// A value of the section, or nothing when the section or the value is absent.
std::optional<std::string> ReadValue(platform::Registry& reg, const std::string& key,
                                     const std::string& name) {
  if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(name)) return std::nullopt;
  return reg.ReadString(name);
}

void OpenForWriting(platform::Registry& reg, const std::string& key) {
  if (!reg.OpenKey(key, true)) throw platform::ERegistryException("Failed to create key " + key);
}

}  // namespace

std::vector<std::string> StoredProps() {
  std::vector<std::string> props;
  for (const SettingDescription* d : StoredSettings()) props.emplace_back(d->stored);
  return props;
}

FormStorage::FormStorage(RegistryFactory openRegistry, std::string keyPath)
    : openRegistry_(std::move(openRegistry)), keyPath_(std::move(keyPath)) {}

FormStorage::RegistryFactory FormStorage::DefaultRegistry() {
  return [] { return std::make_unique<platform::Registry>(platform::RegistryRoot::CurrentUser); };
}

std::string FormStorage::DefaultKeyPath() {
  return "Software\\" + std::filesystem::path(platform::ProgramFileName()).stem().string();
}

namespace {

void RestoreChecked(platform::Registry& reg, const std::string& section, const StoredProp& p,
                    bool& checked) {
  std::optional<std::string> value = ReadValue(reg, section, ValueName(p));
  if (!value) return;  // the box keeps its state
  std::string text = Trim(*value);
  if (platform::SameText(text, "False"))
    checked = false;
  else if (platform::SameText(text, "True"))
    checked = true;
}

void RestoreText(platform::Registry& reg, const std::string& section, const StoredProp& p,
                 std::string& text) {
  std::optional<std::string> value = ReadValue(reg, section, ValueName(p));
  text = Trim(value ? *value : text);
}

// The highest n of the values "Item<n>" the list key holds, or -1.
long long HighestItem(platform::Registry& reg) {
  long long highest = -1;
  for (const std::string& name : reg.GetValueNames()) {
    if (name.size() <= 4 || !platform::SameText(name.substr(0, 4), "Item")) continue;
    long long n = 0;
    const char* digits = name.data() + 4;
    auto [end, error] = std::from_chars(digits, name.data() + name.size(), n);
    if (error == std::errc() && end == name.data() + name.size() && n >= 0)
      highest = std::max(highest, n);
  }
  return highest;
}

// "Item0" to "Item" Count-1, an absent item in between reading as empty. A
// Count beyond the highest item the key holds is cut there, so a damaged or
// hostile "4000000000" cannot make the dialog read, or make room for, billions
// of entries, and no entry is invented past the last one stored. A Count that
// is not a decimal number, or lies beyond 64 bits, reads as 0; at 0 or below
// the list is left as it is.
void RestoreItems(platform::Registry& reg, const std::string& listKey,
                  std::vector<std::string>& list) {
  std::optional<std::string> countText = ReadValue(reg, listKey, std::string(kCount));
  long long count = ParseCount(countText.value_or("0"));
  if (count <= 0) return;
  const long long n = std::min(count, HighestItem(reg) + 1);
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(std::max(n, 0LL)));
  for (long long i = 0; i < n; ++i) items.push_back(reg.ReadString("Item" + std::to_string(i)));
  list = std::move(items);
}

}  // namespace

void FormStorage::Restore(WizardSettings& settings,
                          const std::function<void(const SettingDescription&)>& changed) {
  if (restored_) return;
  std::unique_ptr<platform::Registry> reg;
  try {
    reg = openRegistry_();
    OpenForWriting(*reg, Absolute(keyPath_));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvalen: the remembered settings cannot be read: %s\n", e.what());
    restored_ = true;
    return;
  }
  const std::string section = Absolute(keyPath_, kSection);
  for (const SettingDescription* d : StoredSettings()) {
    const StoredProp p = Split(d->stored);
    WizardSettings read = settings;
    try {
      if (d->kind == SettingKind::Flag)
        RestoreChecked(*reg, section, p, read.*d->flag);
      else if (d->kind == SettingKind::Text)
        RestoreText(*reg, section, p, read.*d->text);
      else
        RestoreItems(*reg, Absolute(keyPath_, ListKey(p)), read.*d->list);
    } catch (const std::exception&) {
      continue;  // one unreadable value leaves its setting as it is; the next goes on
    }
    if (SameValue(*d, read, settings)) continue;
    CopyValue(*d, read, settings);
    if (changed) changed(*d);
  }
  restored_ = true;
  try {
    reg->CloseKey();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvalen: the remembered settings' key cannot be created: %s\n", e.what());
  }
}

void FormStorage::Save(const WizardSettings& settings) {
  if (!restored_ || saved_) return;
  saved_ = true;
  // Everything is written into the registry object first; CloseKey saves it
  // as one, so a failure on the way leaves the store as it was.
  std::unique_ptr<platform::Registry> reg = openRegistry_();
  OpenForWriting(*reg, Absolute(keyPath_));
  const std::string section = Absolute(keyPath_, kSection);
  for (const SettingDescription* d : StoredSettings()) {
    const StoredProp p = Split(d->stored);
    if (d->kind == SettingKind::Flag) {
      OpenForWriting(*reg, section);
      reg->WriteString(ValueName(p), settings.*d->flag ? "True" : "False");
    } else if (d->kind == SettingKind::Text) {
      OpenForWriting(*reg, section);
      reg->WriteString(ValueName(p), Trim(settings.*d->text));
    } else {
      // The whole key goes first, so no item of a longer earlier list stays behind.
      const std::string listKey = Absolute(keyPath_, ListKey(p));
      reg->DeleteKey(listKey);
      const std::vector<std::string>& items = settings.*d->list;
      if (items.empty()) continue;  // an empty list is the key's absence
      OpenForWriting(*reg, listKey);
      reg->WriteString(kCount, std::to_string(items.size()));
      for (std::size_t i = 0; i < items.size(); ++i)
        reg->WriteString("Item" + std::to_string(i), items[i]);
    }
  }
  reg->CloseKey();
}

}  // namespace orvalen::wizard
