// testorvalen: the wizard without an IDE. One generation run with no tool
// services; exit status 0 after Finish or Cancel, 1 when an error escapes the
// run (after an "Application Error" box) or no display can be opened.
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "hosts/testorvalen/application_error.h"
#include "platform/qt/application_title.h"
#include "platform/qt/bitmap_colours.h"
#include "platform/qt/message_box.h"
#include "platform/resources.h"
#include "run/generation_run.h"
#include "wizard/app_expert_dialog.h"

namespace {

// While the application object starts, the toolkit's complaint about a
// display it cannot open is turned into one line and exit status 1 (its own
// answer is an abort).
bool starting = false;
QtMessageHandler previousHandler = nullptr;

void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // Until then, the toolkit's own lines about the platform plugin stay quiet.
  if (!starting) {
    if (previousHandler) previousHandler(type, context, message);
    return;
  }
  if (type == QtFatalMsg) {
    const QByteArray display = qgetenv("DISPLAY"), wayland = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty())
      std::fprintf(stderr, "testorvalen: no display can be opened: DISPLAY is not set\n");
    else
      std::fprintf(
          stderr, "testorvalen: no display can be opened at %s\n",
          (display.isEmpty() ? "WAYLAND_DISPLAY=" + wayland : "DISPLAY=" + display).constData());
    std::fflush(stderr);
    std::_Exit(1);
  }
}

// The program icon, its bottom-left pixel's colour transparent.
QIcon ProgramIcon() {
  QImage picture;
  if (auto bytes =
          orvalen::platform::FindResource("MAINICON", orvalen::platform::ResourceType::Bitmap))
    picture = orvalen::platform::DecodeBitmap(bytes->data(), bytes->size());
  if (picture.isNull()) return {};
  return QIcon(QPixmap::fromImage(orvalen::platform::CornerColourTransparent(picture)));
}

}  // namespace

int main(int argc, char** argv) {
  previousHandler = qInstallMessageHandler(StartupMessages);
  starting = true;
  QApplication application(argc, argv);
  starting = false;
  QApplication::setApplicationName("testorvalen");
  orvalen::platform::SetApplicationTitle("Orvalen");
  QApplication::setWindowIcon(ProgramIcon());

  try {
    orvalen::RunAppExpert(
        orvalen::wizard::AppExpertFactory(nullptr, orvalen::wizard::DefaultWizardServices()),
        nullptr);
    return 0;
  } catch (const std::exception& error) {
    orvalen::hosts::ShowApplicationError(orvalen::platform::DefaultMessageBoxes(), error);
    return 1;
  }
}
