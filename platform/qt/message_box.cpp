#include "platform/qt/message_box.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <algorithm>

namespace orvalen::platform {

namespace {

// A box's text keeps its own lines: Qt wraps a text wider than about half
// the screen, where a line of the classic box breaks only where its text does
// (up to most of the screen's width). The label is kept at least as wide as
// its widest line; Qt's sizing then gives the box that width.
void KeepTextLines(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (QString line : box.text().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line.remove(QLatin1Char('\r'))));
  if (const QScreen* screen = box.screen())
    widest = std::min(widest, screen->availableGeometry().width() * 3 / 4);
  label->setMinimumWidth(widest + 2 * label->margin());
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, buttons, parent);
  KeepTextLines(*box);
  return box;
}

QMessageBox::StandardButton QtMessageBoxes::Show(QWidget* parent, QMessageBox::Icon icon,
                                                 const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
  auto box = MakeMessageBox(parent, icon, title, text, buttons);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

MessageBoxes& DefaultMessageBoxes() {
  static QtMessageBoxes boxes;
  return boxes;
}

}  // namespace orvalen::platform
