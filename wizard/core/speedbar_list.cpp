#include "wizard/core/speedbar_list.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "generator/command_table.h"
#include "generator/wizard_settings.h"

namespace orvalen::wizard {

int SpeedbarList::SpeedbarItemId(int index) const {
  if (index < 0 || index >= SpeedbarCount())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return entries_[static_cast<std::size_t>(index)];
}

void SpeedbarList::SetInsertIndex(int index) {
  insertIndex_ = std::clamp(index, 0, SpeedbarCount());
}

void SpeedbarList::Insert(int glyphId) {
  entries_.insert(entries_.begin() + insertIndex_, glyphId);
  ++insertIndex_;
}

void SpeedbarList::Space() {
  Insert(kSpeedbarSpace);
}

bool SpeedbarList::Remove() {
  if (insertIndex_ >= SpeedbarCount()) return false;
  entries_.erase(entries_.begin() + insertIndex_);
  return true;
}

void SpeedbarList::RemoveMenuCommands(int menu) {
  const int lo = kGlyphId + MenuFirst.at(static_cast<std::size_t>(menu));
  const int hi = lo + MenuCount.at(static_cast<std::size_t>(menu));
  std::erase_if(entries_, [&](int id) { return id != kSpeedbarSpace && lo <= id && id < hi; });
  SetInsertIndex(insertIndex_);
}

Slot SpeedbarList::SlotRect(int index) const {
  int x = kSpeedbarLeft;
  for (int i = 0; i < index && i < SpeedbarCount(); ++i)
    x += IsSpace(i) ? SpacerWidth : ButtonWidth - 1;
  Slot slot{x, kSlotTop, x + ButtonWidth, kSlotTop + ButtonHeight};
  if (index < SpeedbarCount() && IsSpace(index)) slot.right = x + SpacerWidth;
  return slot;
}

int SpeedbarList::SlotAtPoint(int x, int y) const {
  for (int i = 0; i < SpeedbarCount(); ++i)
    if (SlotRect(i).Contains(x, y)) return i;
  return -1;
}

}  // namespace orvalen::wizard
