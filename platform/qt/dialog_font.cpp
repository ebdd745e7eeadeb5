#include "platform/qt/dialog_font.h"

#include <QFont>
#include <QStringList>

namespace orvalen::platform {

void UseClassicDialogFont() {
  static const bool registered = [] {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    return true;
  }();
  (void)registered;
}

}  // namespace orvalen::platform
