// A label that answers a click, for the about box's mail and web links.
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace orvalen::about {

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      emit clicked();
  }
};

}  // namespace orvalen::about

using orvalen::about::ClickLabel;
