// The ANSI code page of the generated text, its double-byte lead bytes, and
// the conversion of typed text into it.
#pragma once

#include <string>
#include <string_view>

#include "platform/errors.h"

namespace orvalen::platform {

// The code page our generated text is written in (Windows-1252 on this platform).
int AnsiCodePage();

// Whether `byte` starts a two-byte character under `codePage`. The single-byte
// code pages (1250 to 1258 and friends) have no lead bytes; the East Asian
// ones (932, 936, 949, 950, 1361) do.
bool IsDBCSLeadByteEx(int codePage, unsigned char byte);

// Text that cannot be converted; the message is for the user.
class ECodePageError : public Error {
 public:
  using Error::Error;
};

// The code pages typed text can be written in: 874, 1250 to 1258, 932, 936, 949, 950, 1361.
bool IsSupportedCodePage(int codePage);

// UTF-8 text in code page `codePage`. Raises ECodePageError for a code page
// IsSupportedCodePage refuses, for text that is not UTF-8, and for the first
// character the code page cannot hold:
//   The character "Ж" (U+0416) cannot be written in code page 1252.
// A character the code page only approximates (a yen sign as the backslash of
// code page 932) counts as one it cannot hold.
std::string Utf8ToCodePage(std::string_view utf8, int codePage);

// The encoding of the user's locale (LC_CTYPE from the environment), as
// nl_langinfo names it: "UTF-8", "ISO-8859-1", ...
std::string LocaleCodeset();

// Text in the named encoding as UTF-8. Raises ECodePageError for bytes that
// are not text in it. Plain ASCII ("ANSI_X3.4-1968", the C locale's, which
// says nothing about the bytes above 127) is read as UTF-8.
std::string ToUtf8(std::string_view text, const std::string& codeset);

// Text in the user's locale, as a program's arguments arrive, as UTF-8.
std::string LocaleToUtf8(std::string_view text);

// Generated text (8-bit, in code page `codePage`, CR LF line ends) as UTF-8
// with LF line ends, for showing it. Never fails: should the bytes not be text
// in that code page, or the code page be unknown here, each byte shows as the
// Latin-1 character of its value rather than nothing at all.
std::string GeneratedTextForDisplay(std::string_view bytes, int codePage);

}  // namespace orvalen::platform
