// The header over the file-type table: two sizable sections, "Description"
// and "Extension", whose first width splits every row of the table.
#pragma once

#include <QHeaderView>
#include <QStandardItemModel>

namespace orvalen::wizard {

class ExtensionHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit ExtensionHeader(QWidget* parent = nullptr)
      : QHeaderView(Qt::Horizontal, parent), model_(0, 2, this) {
    model_.setHorizontalHeaderLabels({QStringLiteral("Description"), QStringLiteral("Extension")});
    setModel(&model_);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    resizeSection(0, 150);
    resizeSection(1, 64);
    setFocusPolicy(Qt::NoFocus);
  }

 private:
  QStandardItemModel model_;
};

}  // namespace orvalen::wizard

using orvalen::wizard::ExtensionHeader;
