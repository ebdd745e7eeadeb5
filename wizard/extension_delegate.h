// One row of the file-type table: the description in the header's first
// section, the pattern(s) from there to the row's end, whatever the second
// section's width.
#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace orvalen::wizard {

class ExtensionDelegate : public QStyledItemDelegate {
 public:
  ExtensionDelegate(QHeaderView* header, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, 16}; }

 private:
  QHeaderView* header_;
};

}  // namespace orvalen::wizard
