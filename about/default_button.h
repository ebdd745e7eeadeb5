// A push button that shows it has the keyboard while it is also the dialog's
// default button: the style marks the default button and the focused one the
// same way, so without this a focused OK looks exactly like an unfocused one.
#pragma once

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace orvalen::about {

class DefaultButton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPushButton::paintEvent(event);
    if (!hasFocus() || !isDefault()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.state |= QStyle::State_KeyboardFocusChange;
    focus.rect = rect().adjusted(3, 3, -3, -3);
    focus.backgroundColor = palette().color(QPalette::Button);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
};

}  // namespace orvalen::about

using orvalen::about::DefaultButton;
