#include "platform/qt/desktop_shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace orvalen::platform {

void DesktopShell::Open(const std::string& target, int /*showCommand*/) {
  // The text goes as it stands: a label's caption is handed over unchanged,
  // even when it is no address at all.
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(target), QUrl::TolerantMode));
}

Shell& DefaultShell() {
  static DesktopShell shell;
  return shell;
}

}  // namespace orvalen::platform
