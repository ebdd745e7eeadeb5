// The registry access object: one current key at a time, key paths with '\'
// separators, names compared without regard to case. It reads and writes a
// backend: the current user's store file or the local machine's read-only view.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/machine_registry.h"
#include "platform/registry_backend.h"
#include "platform/registry_store.h"
#include "platform/registry_types.h"

namespace orvalen::platform {

class Registry {
 public:
  // The default backends: the store at DefaultCurrentUserStorePath(), or
  // LocalMachineView("/").
  explicit Registry(RegistryRoot root);
  explicit Registry(std::shared_ptr<RegistryBackend> backend);
  // Saves nothing: the backend's changes that no CloseKey saved are discarded,
  // so a caller that fails half way through its writes leaves the store as it was.
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // `key` is relative to the current key unless it starts with '\'. False,
  // with the current key unchanged, when the key is missing and cannot be
  // created (not asked to, or a read-only backend). Changes made so far stay
  // pending until CloseKey.
  bool OpenKey(std::string_view key, bool canCreate);
  // As OpenKey without creating; writes to the key are then refused.
  bool OpenKeyReadOnly(std::string_view key);
  // Back to the root; saves the pending changes as one. Raises
  // ERegistryException when the store cannot be saved.
  void CloseKey();

  bool KeyExists(std::string_view key);
  bool ValueExists(std::string_view name);

  // Absent: "". A String or ExpandString: its text. Any other kind raises
  // ERegistryException "Invalid data type for 'NAME'".
  std::string ReadString(std::string_view name);
  void WriteString(std::string_view name, std::string_view value);
  // Absent: "Failed to get data for 'NAME'"; not an Integer: "Invalid data
  // type for 'NAME'" (both ERegistryException).
  int ReadInteger(std::string_view name);
  void WriteInteger(std::string_view name, int value);
  std::optional<RegValue> ReadValue(std::string_view name);
  // Raises ERegistryException "Failed to set data for 'NAME'" on a read-only
  // backend or key, or when the current key no longer exists.
  void WriteValue(std::string_view name, const RegValue& value);

  // Removes the key with everything under it; false when it is missing (or
  // is the root). Raises ERegistryException on a read-only backend.
  bool DeleteKey(std::string_view key);
  // False when the value is missing. Raises ERegistryException on a
  // read-only backend or key.
  bool DeleteValue(std::string_view name);

  // Of the current key, in their stored spelling: subkeys in the order of
  // their names, values in the order they were first set.
  std::vector<std::string> GetKeyNames();
  std::vector<std::string> GetValueNames();

  // The current key's path without a leading '\', as the caller spelled it;
  // empty for the root.
  const std::string& CurrentPath() const { return currentPath_; }

 private:
  KeyPath Resolve(std::string_view key) const;
  const RegistryKey* CurrentKey();
  void RefuseReadOnly(const std::string& what, bool keyReadOnly) const;

  std::shared_ptr<RegistryBackend> backend_;
  KeyPath current_;
  std::string currentPath_;
  bool keyReadOnly_ = false;
};

}  // namespace orvalen::platform
