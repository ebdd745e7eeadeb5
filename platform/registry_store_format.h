// The current user's registry store as text: small, line-based, readable in
// any editor, and able to carry every byte of every name and value.
//
//   Orvalen registry 1
//   # comment lines and blank lines are ignored
//   []                                    the root key; written only when it has values
//   [Software\testorvalen\AppExpert]      a key: its full path, names joined by '\'
//   "AppPath_Text" = string "/home/ann/My Apps"
//   "Count" = integer -3                  32-bit signed decimal
//   "Big" = qword 18446744073709551615    64-bit unsigned decimal
//   "Blob" = binary 00ff7f                hex, nothing after "binary" when empty
//   "Path" = expand "%25HOME%25/bin"
//   "List" = multi "a%00b%00%00"          the raw bytes, NULs included
//   "Odd" = raw 5 0000000a                any type number, hex data
//   end
//
// The first line names the format and its version; the last line is "end",
// so a file cut short at a line end is still seen to be incomplete. Lines end
// in LF. Each key has its own line once, its values follow it; keys nest at
// most kMaxKeyDepth deep. A key's parents need no line of their own; the
// writer gives one to each key that has values or no subkeys. In key names and
// quoted texts "%HH" (two hex digits) stands for one byte; the writer uses it
// for '%', '"', '\', control bytes and every byte above 126, so the file is
// plain ASCII whatever the code page of its texts. An Integer or QWord value
// whose data is not 4 or 8 bytes long is written in the raw form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_key.h"

namespace orvalen::platform {

inline constexpr std::string_view kRegistryStoreHeader = "Orvalen registry 1";

std::string SerializeRegistryStore(const RegistryKey& root);

// The tree the text describes, or nothing when it is not a whole, well-formed
// store; `problem` then says what is wrong, and on which line.
std::optional<RegistryKey> ParseRegistryStore(std::string_view text,
                                              std::string* problem = nullptr);

}  // namespace orvalen::platform
