#include "wizard/extension_delegate.h"

#include <QPainter>
#include <utility>

#include "wizard/core/extension_entry.h"
#include "wizard/list_rows.h"

namespace orvalen::wizard {

ExtensionDelegate::ExtensionDelegate(QHeaderView* header, QObject* parent)
    : QStyledItemDelegate(parent), header_(header) {}

void ExtensionDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  const QColor back = palette.color(selected ? QPalette::Highlight : QPalette::Base);
  const QColor fore = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  ExtensionParts parts = SplitForDrawing(index.data().toString().toStdString());
  const QRect row = option.rect;
  const int split = row.left() + header_->sectionSize(0);
  const QRect first(row.left(), row.top(), split - row.left(), row.height());
  const QRect second(split, row.top(), row.right() - split + 1, row.height());
  painter->save();
  painter->setFont(option.font);
  painter->setPen(fore);
  for (const auto& [rect, text] :
       {std::pair{first, parts.description}, std::pair{second, parts.pattern}}) {
    if (rect.width() <= 0) continue;
    painter->setClipRect(rect);
    painter->fillRect(rect, back);
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      QString::fromStdString(text));
  }
  painter->setClipping(false);
  DrawRowFocus(painter, option);
  painter->restore();
}

}  // namespace orvalen::wizard
