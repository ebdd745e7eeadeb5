#include "platform/registry.h"

#include <cstdint>

namespace orvalen::platform {
namespace {

std::shared_ptr<RegistryBackend> DefaultBackend(RegistryRoot root) {
  if (root == RegistryRoot::CurrentUser) return CurrentUserStore(DefaultCurrentUserStorePath());
  return LocalMachineView("/");
}

std::string Quoted(std::string_view name) {
  std::string quoted = "'";
  quoted += name;
  quoted += '\'';
  return quoted;
}

}  // namespace

Registry::Registry(RegistryRoot root) : Registry(DefaultBackend(root)) {}

Registry::Registry(std::shared_ptr<RegistryBackend> backend) : backend_(std::move(backend)) {
  if (!backend_) throw ERegistryException("A registry needs a backend");
}

Registry::~Registry() {
  backend_->Discard();
}

KeyPath Registry::Resolve(std::string_view key) const {
  KeyPath names = SplitKeyPath(key);
  if (!key.empty() && key.front() == '\\') return names;
  KeyPath path = current_;
  path.insert(path.end(), names.begin(), names.end());
  return path;
}

const RegistryKey* Registry::CurrentKey() {
  return backend_->Root().Find(current_);
}

void Registry::RefuseReadOnly(const std::string& what, bool keyReadOnly) const {
  if (backend_->ReadOnly())
    throw ERegistryException(what + ": the local machine's registry is read-only");
  if (keyReadOnly) throw ERegistryException(what + ": the key is open for reading only");
}

bool Registry::OpenKey(std::string_view key, bool canCreate) {
  backend_->Refresh();
  KeyPath path = Resolve(key);
  if (path.size() > kMaxKeyDepth) return false;
  if (!backend_->Root().Find(path)) {
    if (!canCreate || backend_->ReadOnly()) return false;
    backend_->Apply({RegistryChange::Kind::CreateKey, path, {}, {}});
  }
  current_ = std::move(path);
  currentPath_ = JoinKeyPath(current_);
  keyReadOnly_ = false;
  return true;
}

bool Registry::OpenKeyReadOnly(std::string_view key) {
  if (!OpenKey(key, false)) return false;
  keyReadOnly_ = true;
  return true;
}

void Registry::CloseKey() {
  current_.clear();
  currentPath_.clear();
  keyReadOnly_ = false;
  backend_->Save();
}

bool Registry::KeyExists(std::string_view key) {
  backend_->Refresh();
  return backend_->Root().Find(Resolve(key)) != nullptr;
}

bool Registry::ValueExists(std::string_view name) {
  return ReadValue(name).has_value();
}

std::optional<RegValue> Registry::ReadValue(std::string_view name) {
  const RegistryKey* key = CurrentKey();
  const RegValue* value = key ? key->FindValue(name) : nullptr;
  if (!value) return std::nullopt;
  return *value;
}

std::string Registry::ReadString(std::string_view name) {
  std::optional<RegValue> value = ReadValue(name);
  if (!value) return {};
  if (value->type != RegDataType::String && value->type != RegDataType::ExpandString)
    throw ERegistryException("Invalid data type for " + Quoted(name));
  return std::move(value->data);
}

void Registry::WriteString(std::string_view name, std::string_view value) {
  WriteValue(name, {RegDataType::String, std::string(value)});
}

int Registry::ReadInteger(std::string_view name) {
  std::optional<RegValue> value = ReadValue(name);
  if (!value) throw ERegistryException("Failed to get data for " + Quoted(name));
  if (value->type != RegDataType::Integer || value->data.size() != 4)
    throw ERegistryException("Invalid data type for " + Quoted(name));
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(value->data[i]);
  return static_cast<std::int32_t>(n);
}

void Registry::WriteInteger(std::string_view name, int value) {
  std::uint32_t n = static_cast<std::uint32_t>(value);
  std::string bytes;
  for (int i = 0; i < 4; ++i, n >>= 8) bytes += static_cast<char>(n & 0xFF);
  WriteValue(name, {RegDataType::Integer, std::move(bytes)});
}

void Registry::WriteValue(std::string_view name, const RegValue& value) {
  std::string what = "Failed to set data for " + Quoted(name);
  RefuseReadOnly(what, keyReadOnly_);
  if (!CurrentKey()) throw ERegistryException(what + ": the key " + currentPath_ + " was deleted");
  backend_->Apply({RegistryChange::Kind::SetValue, current_, std::string(name), value});
}

bool Registry::DeleteKey(std::string_view key) {
  KeyPath path = Resolve(key);
  RefuseReadOnly("Failed to delete key " + JoinKeyPath(path), false);
  if (path.empty() || !backend_->Root().Find(path)) return false;
  backend_->Apply({RegistryChange::Kind::DeleteKey, std::move(path), {}, {}});
  return true;
}

bool Registry::DeleteValue(std::string_view name) {
  RefuseReadOnly("Failed to delete value " + Quoted(name), keyReadOnly_);
  if (!ValueExists(name)) return false;
  backend_->Apply({RegistryChange::Kind::DeleteValue, current_, std::string(name), {}});
  return true;
}

std::vector<std::string> Registry::GetKeyNames() {
  std::vector<std::string> names;
  if (const RegistryKey* key = CurrentKey())
    for (const RegistryKey* subkey : key->Subkeys()) names.push_back(subkey->Name());
  return names;
}

std::vector<std::string> Registry::GetValueNames() {
  std::vector<std::string> names;
  if (const RegistryKey* key = CurrentKey())
    for (const RegistryKey::NamedValue* value : key->Values()) names.push_back(value->name);
  return names;
}

}  // namespace orvalen::platform
