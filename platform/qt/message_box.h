// Message boxes behind a small interface: real ones in the programs, scripted
// answers in the tests.
#pragma once

#include <QMessageBox>
#include <QString>

namespace orvalen::platform {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the button the user chose.
  virtual QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) = 0;
};

class QtMessageBoxes : public MessageBoxes {
 public:
  QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons) override;
};

MessageBoxes& DefaultMessageBoxes();

}  // namespace orvalen::platform
