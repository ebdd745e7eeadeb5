#include "wizard/list_rows.h"

#include "platform/qt/focus_frame.h"

namespace orvalen::wizard {

int SelectedRow(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->currentRow() : -1;
}

void DrawRowFocus(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_HasFocus)) return;
  const bool selected = option.state & QStyle::State_Selected;
  platform::DrawFocusFrame(
      *painter, option.rect,
      option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}

}  // namespace orvalen::wizard
