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

const std::vector<std::string>& StoredProps() {
  static const std::vector<std::string> props = {
      "AppPath.Text",         "cbFileMenu.Checked", "cbEditMenu.Checked",
      "cbHelpMenu.Checked",   "cbHints.Checked",    "cbMDIApp.Checked",
      "cbMDIform.Checked",    "cbMRU.Checked",      "cbStatusLine.Checked",
      "cbWindowMenu.Checked", "ExtListBox.Items",   "SingleInstanceApp.Checked",
      "cbMRUReg.Checked"};
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
                    StoredControls& controls) {
  std::optional<std::string> value = ReadValue(reg, section, ValueName(p));
  if (!value) return;  // the box keeps its state
  std::string text = Trim(*value);
  if (platform::SameText(text, "False"))
    controls.SetChecked(p.control, false);
  else if (platform::SameText(text, "True"))
    controls.SetChecked(p.control, true);
}

void RestoreText(platform::Registry& reg, const std::string& section, const StoredProp& p,
                 StoredControls& controls) {
  std::optional<std::string> value = ReadValue(reg, section, ValueName(p));
  controls.SetText(p.control, Trim(value ? *value : controls.Text(p.control)));
}

// The entries read are min(Count, the number of values the list key holds): a Count of
// "4000000000" from a damaged or hostile store cannot make the dialog read, or make room
// for, billions of entries, while a list that merely lacks an item (Count 3 beside Item0
// and Item2) still comes back whole, the missing entry empty. A Count that is not a
// decimal number, or lies beyond 64 bits, reads as 0; at 0 or below the list is left.
void RestoreItems(platform::Registry& reg, const std::string& listKey, const StoredProp& p,
                  StoredControls& controls) {
  std::optional<std::string> countText = ReadValue(reg, listKey, std::string(kCount));
  long long count = ParseCount(countText.value_or("0"));
  if (count <= 0) return;
  std::size_t held = reg.GetValueNames().size();
  std::size_t n =
      std::min(static_cast<unsigned long long>(count), static_cast<unsigned long long>(held));
  std::vector<std::string> items;
  items.reserve(n);
  for (std::size_t i = 0; i < n; ++i) items.push_back(reg.ReadString("Item" + std::to_string(i)));
  controls.SetItems(p.control, items);
}

}  // namespace

void FormStorage::Restore(StoredControls& controls) {
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
  for (const std::string& line : StoredProps()) {
    StoredProp p = Split(line);
    if (!controls.HasControl(p.control)) continue;
    try {
      if (p.property == "Checked")
        RestoreChecked(*reg, section, p, controls);
      else if (p.property == "Text")
        RestoreText(*reg, section, p, controls);
      else
        RestoreItems(*reg, Absolute(keyPath_, ListKey(p)), p, controls);
    } catch (const std::exception&) {
      // One unreadable value leaves its control as it is; the next line goes on.
    }
  }
  restored_ = true;
  try {
    reg->CloseKey();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvalen: the remembered settings' key cannot be created: %s\n", e.what());
  }
}

void FormStorage::Save(StoredControls& controls) {
  if (!restored_ || saved_) return;
  saved_ = true;
  std::unique_ptr<platform::Registry> reg = openRegistry_();
  OpenForWriting(*reg, Absolute(keyPath_));
  const std::string section = Absolute(keyPath_, kSection);
  for (const std::string& line : StoredProps()) {
    StoredProp p = Split(line);
    if (!controls.HasControl(p.control)) continue;
    if (p.property == "Checked") {
      OpenForWriting(*reg, section);
      reg->WriteString(ValueName(p), controls.Checked(p.control) ? "True" : "False");
    } else if (p.property == "Text") {
      OpenForWriting(*reg, section);
      reg->WriteString(ValueName(p), Trim(controls.Text(p.control)));
    } else {
      // The whole key goes first, so no item of a longer earlier list stays behind.
      const std::string listKey = Absolute(keyPath_, ListKey(p));
      reg->DeleteKey(listKey);
      std::vector<std::string> items = controls.Items(p.control);
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
