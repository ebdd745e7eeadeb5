// What a Registry object reads and writes: a tree of keys and values that a
// backend keeps up to date with its sources, and changes it saves as one.
#pragma once

#include <string>

#include "platform/registry_key.h"
#include "platform/registry_types.h"

namespace orvalen::platform {

// One change a Registry object asks of its backend.
struct RegistryChange {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind;
  KeyPath key;
  std::string name;  // SetValue, DeleteValue
  RegValue value;    // SetValue
};

// Makes the change in a tree. Setting a value adds its key if another program
// removed it meanwhile: the change says the value belongs there.
void ApplyChange(RegistryKey& root, const RegistryChange& change);

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // Whether every change is refused.
  virtual bool ReadOnly() const = 0;
  // Brings the view up to date with the sources; called whenever a key is opened.
  virtual void Refresh() = 0;
  // Every key and value as the backend sees them now, unsaved changes included.
  virtual const RegistryKey& Root() = 0;
  // Makes the change in the view and keeps it for the next save; raises
  // ERegistryException on a read-only backend.
  virtual void Apply(RegistryChange change) = 0;
  // Saves every change made since the last save, as one; raises
  // ERegistryException when it cannot (the changes stay pending).
  virtual void Save() = 0;
  // Forgets every change made since the last save; the view is read from the
  // sources again. Never raises.
  virtual void Discard() noexcept = 0;
};

}  // namespace orvalen::platform
