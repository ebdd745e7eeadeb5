#include "wizard/core/speedbar_wording.h"

#include "generator/command_table.h"

namespace orvalen::wizard {

std::string EntryName(int glyphId) {
  const int command = CommandOfGlyph(glyphId);
  if (command < 0) return "Space";
  const std::string caption = CommandCaption(command);
  std::string name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // "&&" is a literal ampersand; a single one only marks the access key.
    if (caption[i] == '&' && ++i == caption.size()) break;
    name += caption[i];
  }
  if (name.ends_with("...")) name.resize(name.size() - 3);
  return name;
}

std::string InsertionPointText(const SpeedbarList& speedbar) {
  const int count = speedbar.SpeedbarCount();
  const int index = speedbar.InsertIndex();
  if (count == 0) return "The speedbar is empty";
  if (index >= count)
    return "Insertion point at the end, after " + std::to_string(count) +
           (count == 1 ? " entry" : " entries");
  return "Insertion point before entry " + std::to_string(index + 1) + " of " +
         std::to_string(count) + " (" + EntryName(speedbar.SpeedbarItemId(index)) + ")";
}

}  // namespace orvalen::wizard
