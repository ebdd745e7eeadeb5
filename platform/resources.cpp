#include "platform/resources.h"

#include <algorithm>

namespace orvalen::platform {

std::optional<Bytes> FindResource(std::string_view name, ResourceType type) {
  for (const auto& r : EmbeddedResources()) {
    if (r.type == type && name == r.name) return Bytes(r.data, r.size);
  }
  return std::nullopt;
}

std::string LoadStr(int id) {
  auto table = EmbeddedStrings();  // sorted by id
  auto it = std::lower_bound(table.begin(), table.end(), id,
                             [](const EmbeddedString& s, int key) { return s.id < key; });
  if (it == table.end() || it->id != id) return {};
  return it->text;
}

std::optional<Bytes> FindBitmap(int id) {
  return FindResource(std::to_string(id), ResourceType::Bitmap);
}

}  // namespace orvalen::platform
