// Small helpers of the dialog's owner-drawn lists.
#pragma once

#include <QListWidget>
#include <QStyleOptionViewItem>

class QPainter;

namespace orvalen::wizard {

// The row of a list whose current item is also selected, or -1.
int SelectedRow(const QListWidget* list);

// The focus frame around the current row of a focused list. The rows paint
// all of themselves, so they draw it too, in the row's text colour; it shows
// however the focus came, since a row may be current without being selected.
void DrawRowFocus(QPainter* painter, const QStyleOptionViewItem& option);

}  // namespace orvalen::wizard
