// One registry key in memory, with its values and its subkeys: the tree both
// registry backends serve, and what the store's text format reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_types.h"

namespace orvalen::platform {

// Orders names without regard to case. Only ASCII letters fold: the bytes
// above 127 mean different letters in different code pages, and a name must
// not change identity when the code page does.
struct FoldedLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// Keys nest at most this deep, as in the Windows registry: a deeper key
// cannot be made, and a store holding one is no store. This also bounds every
// walk of a tree that recurses.
inline constexpr std::size_t kMaxKeyDepth = 512;

// A key path as its names, from the root down; the root itself is empty.
using KeyPath = std::vector<std::string>;

// Splits a path at its '\' separators. Empty names (a leading, doubled or
// trailing separator) are dropped, so "\A\\B\" is the path A, B.
KeyPath SplitKeyPath(std::string_view path);
std::string JoinKeyPath(const KeyPath& path);

class RegistryKey {
 public:
  struct NamedValue {
    std::string name;  // as first spelled
    RegValue value;
  };

  explicit RegistryKey(std::string name = {}) : name_(std::move(name)) {}

  // The key's name as first spelled; empty for the root.
  const std::string& Name() const { return name_; }

  const RegistryKey* FindSubkey(std::string_view name) const;
  RegistryKey* FindSubkey(std::string_view name);
  // The subkey of that name, added when missing.
  RegistryKey& AddSubkey(std::string_view name);
  bool RemoveSubkey(std::string_view name);
  bool HasSubkeys() const { return !subkeys_.empty(); }
  // In the order of their names, case aside, as the registry lists them.
  std::vector<const RegistryKey*> Subkeys() const;

  const RegValue* FindValue(std::string_view name) const;
  // A value set again keeps its place and its first spelling.
  void SetValue(std::string_view name, RegValue value);
  bool RemoveValue(std::string_view name);
  bool HasValues() const { return !values_.empty(); }
  // In the order they were first set.
  std::vector<const NamedValue*> Values() const;

  // Walks a path down from this key; nothing when a name on it is missing.
  const RegistryKey* Find(const KeyPath& path) const;
  RegistryKey* Find(const KeyPath& path);
  // The key at the end of the path, every missing key on the way added.
  RegistryKey& Create(const KeyPath& path);
  // Removes the key at the end of the path with everything under it; false
  // for the empty path (this key itself) or when the key is missing.
  bool Remove(const KeyPath& path);

  // Same names (spelling included), same values in the same order, same
  // subkeys all the way down.
  friend bool operator==(const RegistryKey& a, const RegistryKey& b);

 private:
  struct StoredValue {
    NamedValue named;
    std::uint64_t order;
  };

  std::string name_;
  // Both by their names as first spelled.
  std::map<std::string, std::unique_ptr<RegistryKey>, FoldedLess> subkeys_;
  std::map<std::string, StoredValue, FoldedLess> values_;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace orvalen::platform
