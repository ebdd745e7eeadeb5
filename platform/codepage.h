// The ANSI code page of the generated text and its double-byte lead bytes.
#pragma once

namespace orvalen::platform {

// The code page our generated text is written in (Windows-1252 on this platform).
int AnsiCodePage();

// Whether `byte` starts a two-byte character under `codePage`. The single-byte
// code pages (1250 to 1258 and friends) have no lead bytes; the East Asian
// ones (932, 936, 949, 950, 1361) do.
bool IsDBCSLeadByteEx(int codePage, unsigned char byte);

}  // namespace orvalen::platform
