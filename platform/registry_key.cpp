#include "platform/registry_key.h"

#include <algorithm>
#include <utility>

#include "platform/ascii_case.h"

namespace orvalen::platform {

bool FoldedLess::operator()(std::string_view a, std::string_view b) const {
  return FoldedLessThan(a, b);
}

KeyPath SplitKeyPath(std::string_view path) {
  KeyPath names;
  while (!path.empty()) {
    std::size_t sep = path.find('\\');
    std::string_view name = path.substr(0, sep);
    if (!name.empty()) names.emplace_back(name);
    if (sep == std::string_view::npos) break;
    path.remove_prefix(sep + 1);
  }
  return names;
}

std::string JoinKeyPath(const KeyPath& path) {
  std::string joined;
  for (const std::string& name : path) {
    if (!joined.empty()) joined += '\\';
    joined += name;
  }
  return joined;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view name) const {
  auto it = subkeys_.find(name);
  return it == subkeys_.end() ? nullptr : it->second.get();
}

RegistryKey* RegistryKey::FindSubkey(std::string_view name) {
  return const_cast<RegistryKey*>(std::as_const(*this).FindSubkey(name));
}

RegistryKey& RegistryKey::AddSubkey(std::string_view name) {
  auto it = subkeys_.lower_bound(name);
  if (it == subkeys_.end() || FoldedLess()(name, it->first))
    it = subkeys_.emplace_hint(it, name, std::make_unique<RegistryKey>(std::string(name)));
  return *it->second;
}

bool RegistryKey::RemoveSubkey(std::string_view name) {
  auto it = subkeys_.find(name);
  if (it == subkeys_.end()) return false;
  subkeys_.erase(it);
  return true;
}

std::vector<const RegistryKey*> RegistryKey::Subkeys() const {
  std::vector<const RegistryKey*> keys;
  keys.reserve(subkeys_.size());
  for (const auto& [name, key] : subkeys_) keys.push_back(key.get());
  return keys;
}

const RegValue* RegistryKey::FindValue(std::string_view name) const {
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second.named.value;
}

void RegistryKey::SetValue(std::string_view name, RegValue value) {
  auto it = values_.lower_bound(name);
  if (it == values_.end() || FoldedLess()(name, it->first))
    it = values_.emplace_hint(it, name, StoredValue{{std::string(name), {}}, nextOrder_++});
  it->second.named.value = std::move(value);
}

bool RegistryKey::RemoveValue(std::string_view name) {
  auto it = values_.find(name);
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

std::vector<const RegistryKey::NamedValue*> RegistryKey::Values() const {
  std::vector<const StoredValue*> stored;
  stored.reserve(values_.size());
  for (const auto& [name, value] : values_) stored.push_back(&value);
  std::sort(stored.begin(), stored.end(),
            [](const StoredValue* a, const StoredValue* b) { return a->order < b->order; });
  std::vector<const NamedValue*> values;
  values.reserve(stored.size());
  for (const StoredValue* value : stored) values.push_back(&value->named);
  return values;
}

const RegistryKey* RegistryKey::Find(const KeyPath& path) const {
  const RegistryKey* key = this;
  for (const std::string& name : path) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

RegistryKey* RegistryKey::Find(const KeyPath& path) {
  return const_cast<RegistryKey*>(std::as_const(*this).Find(path));
}

RegistryKey& RegistryKey::Create(const KeyPath& path) {
  RegistryKey* key = this;
  for (const std::string& name : path) key = &key->AddSubkey(name);
  return *key;
}

bool RegistryKey::Remove(const KeyPath& path) {
  if (path.empty()) return false;
  RegistryKey* parent = Find(KeyPath(path.begin(), path.end() - 1));
  return parent && parent->RemoveSubkey(path.back());
}

bool operator==(const RegistryKey& a, const RegistryKey& b) {
  if (a.name_ != b.name_ || a.subkeys_.size() != b.subkeys_.size() ||
      a.values_.size() != b.values_.size())
    return false;
  std::vector<const RegistryKey::NamedValue*> av = a.Values(), bv = b.Values();
  for (std::size_t i = 0; i < av.size(); ++i)
    if (av[i]->name != bv[i]->name || av[i]->value != bv[i]->value) return false;
  for (auto ai = a.subkeys_.begin(), bi = b.subkeys_.begin(); ai != a.subkeys_.end(); ++ai, ++bi)
    if (ai->first != bi->first || !(*ai->second == *bi->second)) return false;
  return true;
}

}  // namespace orvalen::platform
