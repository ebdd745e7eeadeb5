#include "platform/qt/message_box.h"

namespace orvalen::platform {

QMessageBox::StandardButton QtMessageBoxes::Show(QWidget* parent, QMessageBox::Icon icon,
                                                 const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageBoxes& DefaultMessageBoxes() {
  static QtMessageBoxes boxes;
  return boxes;
}

}  // namespace orvalen::platform
