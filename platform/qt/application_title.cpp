#include "platform/qt/application_title.h"

#include <QGuiApplication>
#include <QVariant>

namespace orvalen::platform {

namespace {
// A property of the application object, so the expert module, loaded into a
// program of ours, reads the title that program set.
constexpr char kTitleProperty[] = "orvalenApplicationTitle";
}  // namespace

void SetApplicationTitle(const QString& title) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->setProperty(kTitleProperty, title);
}

QString ApplicationTitle() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    const QVariant title = app->property(kTitleProperty);
    if (title.isValid()) return title.toString();
  }
  return QGuiApplication::applicationDisplayName();
}

}  // namespace orvalen::platform
