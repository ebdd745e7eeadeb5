// Renders each dialog of the system offscreen into PNG files, for review by
// eye: orvalen-screenshots [--dark] DIR, --dark in a dark palette. It carries the standalone
// program's version block, so the about box shows what the standalone program's does.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <cstring>

#include "about/about_form.h"
#include "about/win_info.h"
#include "hosts/expert_host/expert_host_window.h"
#include "hosts/expert_host/expert_library.h"
#include "hosts/expert_host/host_tool_services.h"
#include "platform/qt/application_title.h"
#include "platform/qt/desktop_shell.h"
#include "platform/registry.h"
#include "run/generation_run.h"
#include "ui_preview_window.h"
#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"
#include "wizard/filter_dlg.h"
#include "wizard/preview_window.h"

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

struct QuietBoxes : orvalen::platform::MessageBoxes {
  QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                   QMessageBox::StandardButtons) override {
    return QMessageBox::Yes;
  }
};

// The wizard's seven pages, walked with Next after choosing an editor with a
// File, Edit and Help menu and two document types; the speedbar page again
// with a composed speedbar and with the pointer in its middle. It remembers
// its settings in a store of its own, so the user's own stay untouched.
bool SaveWizardPages(const QDir& dir) {
  namespace w = orvalen::wizard;
  QTemporaryDir store;
  QuietBoxes boxes;
  orvalen::platform::DefaultShell();
  w::WizardServices services = w::DefaultWizardServices();
  services.messageBoxes = &boxes;
  services.openRegistry = [path = store.filePath("registry").toStdString()] {
    return std::make_unique<orvalen::platform::Registry>(orvalen::platform::CurrentUserStore(path));
  };
  w::TAppExpert form(nullptr, services);
  form.show();
  Ui::TAppExpert& ui = form.Controls();
  for (QCheckBox* box : {ui.cbFileMenu, ui.cbEditMenu, ui.cbHelpMenu, ui.cbMRU}) box->click();
  ui.ExtListBox->addItem("Text files (*.txt)|*.txt");
  ui.ExtListBox->addItem("Editor documents (*.edt;*.ed2)|*.edt;*.ed2");
  ui.ExtListBox->setCurrentRow(1);
  ui.MenuList->setCurrentRow(0);
  ui.MenuItemList->setCurrentRow(2);
  ui.AppName->setText("Editor");
  ui.AppPath->setText("/home/ada/projects/Editor");
  const char* names[] = {"wizard-0-notice",   "wizard-1-menus",       "wizard-2-file-types",
                         "wizard-3-speedbar", "wizard-4-application", "wizard-5-extras",
                         "wizard-6-hint"};
  bool ok = true;
  for (int page = 0; page < 7; ++page) {
    if (page > 0) ui.NextButton->click();
    ok = Save(form, dir.filePath(QString(names[page]) + ".png")) && ok;
    if (page != w::kSpeedbtns) continue;
    // The speedbar composed: the whole File menu, a space, Cut, Copy and Paste,
    // a space and About; then the pointer moved to the gap before Print.
    form.MenuListDblClick();
    ui.Button3->click();
    ui.MenuList->setCurrentRow(1);
    for (int row : {1, 2, 3}) {
      ui.MenuItemList->setCurrentRow(row);
      ui.Button1->click();
    }
    ui.Button3->click();
    ui.MenuList->setCurrentRow(3);
    ui.MenuItemList->setCurrentRow(3);
    ui.Button1->click();
    ok = Save(form, dir.filePath("wizard-3-speedbar-composed.png")) && ok;
    // With the keyboard on the speedbar, which then shows its focus frame.
    form.activateWindow();
    ui.ScrollBox1->setFocus(Qt::TabFocusReason);
    form.SpeedItems().SetInsertIndex(4);
    ui.Speedbar->update();
    ok = Save(form, dir.filePath("wizard-3-speedbar-pointer.png")) && ok;
  }
  // The Preview window beside it, into a directory an earlier run wrote to,
  // showing the main unit, then a binary form file.
  QDir target(store.filePath("Editor"));
  target.mkpath(".");
  ui.AppPath->setText(target.path());
  orvalen::GenerateApplication(form.Settings());
  ui.PreviewButton->click();
  w::PreviewWindow* preview = form.Preview();
  QTreeWidget* files = preview->Controls().FileList;
  files->setCurrentItem(files->topLevelItem(1));
  ok = Save(*preview, dir.filePath("preview-main-unit.png")) && ok;
  files->setCurrentItem(files->topLevelItem(3));
  ok = Save(*preview, dir.filePath("preview-main-form.png")) && ok;
  return ok;
}

// expert-host with the expert module of this build: its gallery, then in
// list mode with a generated project open.
bool SaveExpertHost(const QDir& dir) {
  namespace h = orvalen::hosts;
  QuietBoxes boxes;
  h::ExpertHostWindow window(boxes);
  h::HostToolServices services(window);
  h::ExpertLibrary module(ORVALEN_EXPERT_MODULE);
  window.winId();
  module.Initialize(&services);
  window.ShowExperts(module.Experts());
  bool ok = Save(window, dir.filePath("expert-host.png"));
  QTemporaryDir project;
  orvalen::WizardSettings settings;
  settings.AppName = "Editor";
  settings.AppPath = project.path().toStdString();
  settings.cbFileMenu = settings.cbHelpMenu = true;
  window.findChild<QAction*>("ListMode")->trigger();
  window.OpenProject(orvalen::GenerateApplication(settings).fullProjectFileName);
  ok = Save(window, dir.filePath("expert-host-project.png")) && ok;
  window.ClearExperts();
  return ok;
}

// A dark desktop's palette, as a dark theme hands one to Fusion.
QPalette DarkPalette() {
  const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), disabled(127, 127, 127);
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Light, QColor(80, 80, 80));
  p.setColor(QPalette::Midlight, QColor(66, 66, 66));
  p.setColor(QPalette::Mid, QColor(40, 40, 40));
  p.setColor(QPalette::Dark, QColor(25, 25, 25));
  p.setColor(QPalette::Shadow, QColor(20, 20, 20));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(100, 170, 255));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  const bool dark = argc == 3 && std::strcmp(argv[1], "--dark") == 0;
  if (argc != 2 && !dark) {
    std::fprintf(stderr, "usage: orvalen-screenshots [--dark] DIRECTORY\n");
    return 2;
  }
  const char* path = argv[argc - 1];
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvalen::platform::SetApplicationTitle("Orvalen");
  if (dark) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(DarkPalette());
  }
  QDir dir(QString::fromLocal8Bit(path));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "orvalen-screenshots: cannot create %s\n", path);
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
  ok = SaveWizardPages(dir) && ok;
  ok = SaveExpertHost(dir) && ok;
  return ok ? 0 : 1;
}
