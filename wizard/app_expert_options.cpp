// The AppInfo page: the option check boxes and their rules, and the directory browser.
#include <QCheckBox>
#include <QLineEdit>

#include "ui_app_expert.h"
#include "wizard/app_expert.h"

namespace orvalen::wizard {

namespace {

constexpr char kMDIChildQuestion[] =
    "It is recommended that you allow the wizard to create the MDI child form\r\n"
    "which includes many management functions and inherit your custom \r\n"
    "MDI forms from this overriding the CREATENEWFILE, SAVEFILE, \r\n"
    "SAVEFILEAS methods to realize your forms as this child form has code\r\n"
    "which works with the window list and MRU file list\r\n"
    "Do you wish to include MDIChild form ?";

}  // namespace

void TAppExpert::SetCheckedFiring(QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  box->setChecked(checked);
  emit box->clicked(checked);
}

void TAppExpert::cbMDIAppClick() {
  const bool mdi = ui_->cbMDIApp->isChecked();
  ui_->cbMDIform->setEnabled(mdi);
  if (mdi) SetCheckedFiring(ui_->cbMDIform, true);
}

void TAppExpert::cbMDIformClick() {
  if (!ui_->cbMDIApp->isChecked() || ui_->cbMDIform->isChecked()) return;
  auto answer = services_.messageBoxes->Show(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                             QString::fromLatin1(kMDIChildQuestion),
                                             QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) SetCheckedFiring(ui_->cbMDIform, true);
}

void TAppExpert::SingleInstanceAppClick() {
  ui_->siDDE->setEnabled(ui_->SingleInstanceApp->isChecked());
}

void TAppExpert::cbMRUClick() {
  ui_->cbMRUReg->setEnabled(ui_->cbMRU->isChecked());
}

void TAppExpert::BrowseClick() {
  if (auto chosen = services_.directoryChooser->Choose(this, ui_->AppPath->text()))
    ui_->AppPath->setText(*chosen);
}

}  // namespace orvalen::wizard
