// A list that shows it has the keyboard even while no row is current (an
// empty list): the style frames only the current row, and these lists are
// often empty when they are tabbed into.
#pragma once

#include <QListWidget>
#include <QPainter>

#include "platform/qt/focus_frame.h"

namespace orvalen::wizard {

class ListBox : public QListWidget {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QListWidget::paintEvent(event);
    if (!hasFocus() || currentIndex().isValid()) return;
    QPainter painter(viewport());
    platform::DrawFocusFrame(painter, viewport()->rect(), palette().color(QPalette::Text));
  }
  void focusInEvent(QFocusEvent* event) override {
    QListWidget::focusInEvent(event);
    viewport()->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QListWidget::focusOutEvent(event);
    viewport()->update();
  }
};

}  // namespace orvalen::wizard

using orvalen::wizard::ListBox;
