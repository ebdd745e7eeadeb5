#include "platform/codepage.h"

namespace orvalen::platform {

int AnsiCodePage() {
  return 1252;
}

bool IsDBCSLeadByteEx(int codePage, unsigned char b) {
  switch (codePage) {
    case 932:  // Shift JIS
      return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
      return b >= 0x81 && b <= 0xFE;
    case 1361:  // Johab
      return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
    default:
      return false;
  }
}

}  // namespace orvalen::platform
