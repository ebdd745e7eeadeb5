// A document type of the Extensions page: one text holding the description,
// a "|" and the extension pattern(s), one file type of the Open and Save
// dialogs' filter. The list and the editor split it at its first "|"; any
// further "|" belongs to the patterns. Text is UTF-8 as typed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvalen {

// The most characters the editor's edits hold, and so each part of an entry.
inline constexpr std::size_t kDocumentTypePartLength = 255;

// The message for an entry no front end takes, or nothing. An entry needs
// its "|" (without one the filter's description and pattern pairs would slip)
// and parts of at most 255 characters each (a longer part would be cut when
// the entry is next opened in the editor). Either part may be empty.
std::optional<std::string> CheckDocumentType(std::string_view entry);

}  // namespace orvalen
