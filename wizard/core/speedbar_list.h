// The speedbar the user composes on the Speedbtns page: an ordered list of
// entries, each a command's button (its glyph id, 11100 + command index) or a
// space, and the insertion index the page's pointer shows.
#pragma once

#include <vector>

namespace orvalen::wizard {

class SpeedbarList {
 public:
  int SpeedbarCount() const { return static_cast<int>(entries_.size()); }
  // The glyph id of entry `index`, or -1 for a space; any other index raises
  // std::out_of_range.
  int SpeedbarItemId(int index) const;
  bool IsSpace(int index) const { return SpeedbarItemId(index) < 0; }
  const std::vector<int>& Entries() const { return entries_; }

  // Always 0 <= InsertIndex <= SpeedbarCount.
  int InsertIndex() const { return insertIndex_; }
  // Clamped into the list's range.
  void SetInsertIndex(int index);

  // A button for `glyphId` at the insertion index (appended at the end); the
  // index moves behind it so repeated inserts keep their order.
  void Insert(int glyphId);
  // A space, placed like a button.
  void Space();
  // Deletes the entry at the insertion index, which then designates the
  // entry that followed (or the end). False, with nothing changed, at the end.
  bool Remove();
  // Deletes every button of menu `menu` (0..3); spaces and the other menus'
  // buttons keep their order. The insertion index is kept within the list.
  void RemoveMenuCommands(int menu);

 private:
  std::vector<int> entries_;
  int insertIndex_ = 0;
};

}  // namespace orvalen::wizard
