// The speedbar in words, for a screen reader: what each entry is called and
// where the insertion point stands.
#pragma once

#include <string>

#include "wizard/core/speedbar_list.h"

namespace orvalen::wizard {

// A command's caption as a button is named, "&Open..." read as "Open"; a
// space is "Space".
std::string EntryName(int glyphId);

// "Insertion point before entry 3 of 5 (Open)", "Insertion point at the end,
// after 5 entries", or for an empty list "The speedbar is empty".
std::string InsertionPointText(const SpeedbarList& speedbar);

}  // namespace orvalen::wizard
