// Renders each dialog of the system offscreen into PNG files, for review by
// eye: orvalen-screenshots DIR. It carries the standalone program's version
// block, so the about box shows what the standalone program's does.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "about/about_form.h"
#include "about/win_info.h"
#include "platform/qt/desktop_shell.h"
#include "wizard/filter_dlg.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  bool ok = widget.grab().save(path, "PNG");
  std::printf("%s%s\n", qPrintable(path), ok ? "" : ": cannot write");
  return ok;
}

// The About entry's box, shown by the editor and grabbed while it is open.
struct GrabbingBoxes : orvalen::platform::MessageBoxes {
  QString path;
  bool ok = false;
  QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                   const QString& text,
                                   QMessageBox::StandardButtons buttons) override {
    QMessageBox box(icon, title, text, buttons, parent);
    ok = Save(box, path);
    return QMessageBox::Ok;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orvalen-screenshots DIRECTORY\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Orvalen");
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "orvalen-screenshots: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  {
    orvalen::about::TAboutForm about(nullptr, orvalen::about::ProcessAboutSources(),
                                     orvalen::platform::DefaultShell());
    ok = Save(about, dir.filePath("about-box.png")) && ok;
  }
  {
    GrabbingBoxes boxes;
    boxes.path = dir.filePath("winfo-about-entry.png");
    orvalen::about::TAbout(boxes).Edit();
    ok = boxes.ok && ok;
  }
  {
    // In the wizard's font, which the editor takes from the wizard.
    orvalen::wizard::TFilterDlg filter;
    filter.setFont(QFont("MS Sans Serif", 8));
    filter.SetFilter("Pascal sources (*.pas;*.dpr)|*.pas;*.dpr");
    ok = Save(filter, dir.filePath("filter-dialog.png")) && ok;
  }
  return ok ? 0 : 1;
}
