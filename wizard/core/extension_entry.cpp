#include "wizard/core/extension_entry.h"

#include "platform/utf8.h"

namespace orvalen::wizard {

namespace {

constexpr char kBar = '|';

// The byte offset just past the first `count` characters of `text` (its
// length when it is shorter). A character is a lead byte with its
// continuation bytes, so the cut never falls inside one.
std::size_t CharacterOffset(std::string_view text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < count && at < text.size(); ++n) {
    ++at;
    while (at < text.size() && platform::IsUtf8Continuation(text[at])) ++at;
  }
  return at;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  return text.substr(0, CharacterOffset(text, count));
}

// The text from character `first` (counted from 0) on, at most
// kExtensionPartLength characters of it.
std::string_view PartFrom(std::string_view text, std::size_t first) {
  const std::size_t at = CharacterOffset(text, first);
  return FirstCharacters(text.substr(at), kExtensionPartLength);
}

}  // namespace

// No byte of a multi-byte UTF-8 character equals the bar, so a byte search
// finds the first bar character.
ExtensionParts SplitForDrawing(std::string_view entry) {
  const std::size_t bar = entry.find(kBar);
  if (bar == std::string_view::npos)
    return {"", std::string(FirstCharacters(entry, kExtensionPartLength))};
  return {std::string(FirstCharacters(entry.substr(0, bar), kExtensionPartLength)),
          std::string(FirstCharacters(entry.substr(bar + 1), kExtensionPartLength))};
}

ExtensionParts SplitForEditor(std::string_view entry) {
  const std::size_t bar = entry.find(kBar);
  if (bar == std::string_view::npos) {
    // As if the bar were character 256: the 256th character itself is lost.
    return {std::string(FirstCharacters(entry, kExtensionPartLength)),
            std::string(PartFrom(entry, kExtensionPartLength + 1))};
  }
  return {std::string(entry.substr(0, bar)), std::string(PartFrom(entry.substr(bar + 1), 0))};
}

std::string JoinEntry(std::string_view description, std::string_view pattern) {
  std::string entry;
  entry.reserve(description.size() + 1 + pattern.size());
  entry.append(description).append(1, kBar).append(pattern);
  return entry;
}

}  // namespace orvalen::wizard
