// The header over the file-type table: two sizable sections, "Description"
// and "Extension", whose first width splits every row of the table.
#pragma once

#include <QEvent>
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
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  // The widths are set once the header has its dialog's font: sizing a section
  // asks for the smallest width the font allows, and asked while the page is
  // still being built, that loads the toolkit's default font, which nothing in
  // the wizard shows, on the way to the first paint.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Polish && !sized_) {
      sized_ = true;
      resizeSection(0, 150);
      resizeSection(1, 64);
    }
    return QHeaderView::event(event);
  }

 private:
  bool sized_ = false;
  QStandardItemModel model_;
};

}  // namespace orvalen::wizard

using orvalen::wizard::ExtensionHeader;
