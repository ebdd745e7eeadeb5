// A document file type as the Extensions page keeps it: one text holding the
// description, a "|" and the extension pattern(s), exactly one file type of a
// file dialog's filter. The list draws an entry in two columns and the editor
// opens it in two edits; both split it at its first "|", so any further "|"
// belongs to the pattern.
//
// Texts are UTF-8. Lengths count characters (Unicode code points): a
// multi-byte character is one unit and is never cut in two.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalen::wizard {

// The most characters a column shows and an edit holds.
inline constexpr std::size_t kExtensionPartLength = 255;

struct ExtensionParts {
  std::string description, pattern;
  bool operator==(const ExtensionParts&) const = default;
};

// The two columns of a list row: the description before the first "|" and
// the pattern after it, each cut to 255 characters. An entry without "|" has
// an empty description and draws its first 255 characters as the pattern.
ExtensionParts SplitForDrawing(std::string_view entry);

// The two edits of the editor: the description before the first "|" and at
// most 255 characters of the pattern after it. An entry without "|" reads as
// if the bar stood at character 256: its first 255 characters become the
// description and the pattern starts at character 257.
ExtensionParts SplitForEditor(std::string_view entry);

// The entry the editor gives back: description, "|", pattern, untrimmed.
std::string JoinEntry(std::string_view description, std::string_view pattern);

}  // namespace orvalen::wizard
