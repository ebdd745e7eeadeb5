// One available command of the speedbar page: its button and glyph, then its
// caption with the access key underlined.
#pragma once

#include <QStyledItemDelegate>

#include "wizard/speedbar_painter.h"

namespace orvalen::wizard {

class MenuItemDelegate : public QStyledItemDelegate {
 public:
  MenuItemDelegate(const CommandGlyphList& glyphs, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 26}; }

 private:
  const CommandGlyphList& glyphs_;
};

}  // namespace orvalen::wizard
