// A push button that shows it has the keyboard while it is also the dialog's
// default button: the style marks the default button and the focused one the
// same way, so without this a focused OK looks exactly like an unfocused one.
#pragma once

#include <QPainter>
#include <QPushButton>

#include "platform/qt/focus_frame.h"

namespace orvalen::about {

class DefaultButton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPushButton::paintEvent(event);
    if (!hasFocus() || !isDefault()) return;
    QPainter painter(this);
    platform::DrawFocusFrame(painter, rect().adjusted(4, 4, -4, -4),
                             palette().color(QPalette::ButtonText));
  }
};

}  // namespace orvalen::about

using orvalen::about::DefaultButton;
