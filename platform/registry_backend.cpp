#include "platform/registry_backend.h"

namespace orvalen::platform {

void ApplyChange(RegistryKey& root, const RegistryChange& change) {
  switch (change.kind) {
    case RegistryChange::Kind::CreateKey:
      root.Create(change.key);
      break;
    case RegistryChange::Kind::DeleteKey:
      root.Remove(change.key);
      break;
    case RegistryChange::Kind::SetValue:
      root.Create(change.key).SetValue(change.name, change.value);
      break;
    case RegistryChange::Kind::DeleteValue:
      if (RegistryKey* key = root.Find(change.key)) key->RemoveValue(change.name);
      break;
  }
}

}  // namespace orvalen::platform
