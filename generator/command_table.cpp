#include "generator/command_table.h"

#include "platform/resources.h"

namespace orvalen {

int MenuOfCommand(int command) {
  for (int m = 0; m < kMenuCount; ++m) {
    if (command >= MenuFirst[m] && command < MenuFirst[m] + MenuCount[m]) return m;
  }
  return -1;
}

int CommandOfGlyph(int glyphId) {
  int c = glyphId - kGlyphId;
  return c >= 0 && c < kCommandCount ? c : -1;
}

int CommandOfHandler(std::string_view handler) {
  for (int c = 0; c < kCommandCount; ++c)
    if (CommandHandler(c) == handler) return c;
  return -1;
}

std::string CommandCaption(int command) {
  return platform::LoadStr(kCaptionId + command);
}
std::string CommandItemName(int command) {
  return platform::LoadStr(kItemNameId + command);
}
std::string CommandHandler(int command) {
  return platform::LoadStr(kHandlerId + command);
}
std::string CommandHint(int command) {
  return platform::LoadStr(kHintId + command);
}

}  // namespace orvalen
