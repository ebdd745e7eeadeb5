// UTF-8, strictly: the one decoder and encoder every part of the system uses,
// so that all of them accept and refuse the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalen::platform {

// The code point of the UTF-8 sequence at `pos`, which then moves past it.
// False, with `pos` unchanged, for a byte that starts no well-formed sequence:
// a stray continuation byte, a truncated sequence, an overlong form, a
// surrogate (U+D800 to U+DFFF) or a value above U+10FFFF.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& cp);

// The offset of the first byte that starts no well-formed sequence, or npos
// when the whole text is UTF-8.
std::size_t FirstInvalidUtf8(std::string_view text);

// Appends the UTF-8 form of `cp`; a surrogate or a value above U+10FFFF, which
// has none, appends U+FFFD.
void AppendUtf8(char32_t cp, std::string& out);

// Whether `byte` continues a multi-byte sequence (10xxxxxx), so a cut before
// it would fall inside a character.
inline bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// UTF-8 to UTF-16; each byte that starts no well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace orvalen::platform
