// Message boxes behind a small interface: real ones in the programs, scripted
// answers in the tests.
#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

namespace orvalen::platform {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the button the user chose.
  virtual QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) = 0;
};

// The real box, not yet shown: its lines are those of its text, not wrapped
// further while they fit the screen.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons);

class QtMessageBoxes : public MessageBoxes {
 public:
  QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons) override;
};

MessageBoxes& DefaultMessageBoxes();

}  // namespace orvalen::platform
