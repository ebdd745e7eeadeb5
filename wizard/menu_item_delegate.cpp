#include "wizard/menu_item_delegate.h"

#include <QApplication>
#include <QPainter>

#include "generator/command_table.h"
#include "wizard/list_rows.h"

namespace orvalen::wizard {

MenuItemDelegate::MenuItemDelegate(const CommandGlyphList& glyphs, QObject* parent)
    : QStyledItemDelegate(parent), glyphs_(glyphs) {}

void MenuItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  const QRect rect = option.rect;
  painter->save();
  painter->fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
  const int command = CommandOfGlyph(index.data(Qt::UserRole).toInt());
  if (command >= 0 && command < static_cast<int>(glyphs_.size()))
    DrawButtonGlyph(*glyphs_[static_cast<std::size_t>(command)], *painter, rect.left() + 2,
                    rect.top() + 1, SystemColours::From(palette));
  const QRect text(rect.left() + ButtonWidth + 6, rect.top(), rect.width() - ButtonWidth - 6,
                   rect.height());
  painter->setFont(option.font);
  QApplication::style()->drawItemText(
      painter, text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
      palette, true, index.data().toString(),
      selected ? QPalette::HighlightedText : QPalette::Text);
  DrawRowFocus(painter, option);
  painter->restore();
}

}  // namespace orvalen::wizard
