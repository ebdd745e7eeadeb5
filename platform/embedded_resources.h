// The table of resources the build embeds into each program (see
// resources/tools/embed.cpp). Read it through platform/resources.h.
#pragma once

#include <cstddef>
#include <span>

namespace orvalen::platform {

enum class ResourceType { RCData, Bitmap };

struct EmbeddedResource {
  ResourceType type;
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

struct EmbeddedString {
  int id;
  const char* text;
};

std::span<const EmbeddedResource> EmbeddedResources();
std::span<const EmbeddedString> EmbeddedStrings();

}  // namespace orvalen::platform
