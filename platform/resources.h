// Module resources: the template, the string table and the numbered bitmaps
// that ship inside every program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/embedded_resources.h"

namespace orvalen::platform {

using Bytes = std::span<const std::uint8_t>;

// The resource of that type and name, or nothing when the module has none.
std::optional<Bytes> FindResource(std::string_view name, ResourceType type);

// The text of string `id`; a missing id gives the empty text.
std::string LoadStr(int id);

// The bitmap whose numeric name is `id`, as a complete BMP file image.
std::optional<Bytes> FindBitmap(int id);

}  // namespace orvalen::platform
