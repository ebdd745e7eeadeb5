// The words of Object Pascal that the settings check refuses as names and the
// preview's highlighter marks: one list, so the two never disagree.
#pragma once

#include <span>
#include <string_view>

namespace orvalen {

// The reserved words of the language, in lower case: no identifier may be spelt
// like one, in any case.
std::span<const std::string_view> PascalReservedWords();

// The standard directives the generated units use (visibility sections,
// "override", "message"), in lower case. They are words of the language only
// where they stand as directives: elsewhere they may name things.
std::span<const std::string_view> PascalDirectives();

// Whether `word` is a reserved word (any case of ASCII letters).
bool IsReservedWord(std::string_view word);

}  // namespace orvalen
