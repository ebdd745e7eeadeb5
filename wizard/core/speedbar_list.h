// The speedbar the user composes on the Speedbtns page: an ordered list of
// entries, each a command's button (its glyph id, 11100 + command index) or a
// space, and the insertion index the page's pointer shows.
#pragma once

#include <vector>

namespace orvalen::wizard {

// The page's speedbar geometry, in pixels of its drawing area.
inline constexpr int ButtonWidth = 24;
inline constexpr int ButtonHeight = 24;
inline constexpr int SpacerWidth = 6;
inline constexpr int kSpeedbarLeft = 10;  // where the first slot starts
inline constexpr int kSlotTop = 5;

// A slot: left and top inside, right and bottom outside.
struct Slot {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Slot&) const = default;
};

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

  // The slot of entry i, for 0 <= i <= SpeedbarCount (the count gives the slot
  // just behind the last entry). Neighbouring buttons share one column.
  Slot SlotRect(int index) const;
  // The first entry whose slot holds the point, or -1: a shared column
  // belongs to the left slot.
  int SlotAtPoint(int x, int y) const;

 private:
  std::vector<int> entries_;
  int insertIndex_ = 0;
};

}  // namespace orvalen::wizard
