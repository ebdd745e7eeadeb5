// The Open and Save dialogs' filter of the generated main form: the document
// types of the Extensions page joined into one text, and that text as it is
// written between the quotes of the dialogs' Filter property.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "generator/snippet_library.h"

namespace orvalen {

// The characters of the Open and Save dialog objects around their filter;
// together with the filter they pass through the 1024-character format buffer.
inline constexpr std::size_t kDialogObjectLength = 88;
// The longest filter text that still leaves a dialog object whole.
inline constexpr std::size_t kMaxFilterTextLength = kFormatBufferSize - kDialogObjectLength;

// Each item followed by "|", the last "|" dropped: two items give the first,
// one "|" and the second. Items are taken as they stand.
std::string FilterString(const std::vector<std::string>& items);

// The filter as the inside of a quoted string value of the text form: a quote
// is doubled, and a control character (a line break, a tab, ...) leaves the
// quotes as its "#n" code, so the value reads back as exactly these bytes and
// nothing in a description can end the value or add to the form.
std::string FilterFormText(std::string_view filter);

}  // namespace orvalen
