// The AppInfo page: the option check boxes and their rules, and the directory browser.
#include <QCheckBox>
#include <QLineEdit>

#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"

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

// The rules hold for the settings whether or not the page has been made; the
// enabling is the controls' only, and a page made later takes it from the value.

void TAppExpert::cbMDIAppClick() {
  const bool mdi = Flag(&WizardSettings::cbMDIApp);
  if (ui_->cbMDIform) ui_->cbMDIform->setEnabled(mdi);
  if (mdi) SetCheckedFiring(&WizardSettings::cbMDIform, true);
}

void TAppExpert::cbMDIformClick() {
  if (!Flag(&WizardSettings::cbMDIApp) || Flag(&WizardSettings::cbMDIform)) return;
  auto answer = services_.messageBoxes->Show(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                             QString::fromLatin1(kMDIChildQuestion),
                                             QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) SetCheckedFiring(&WizardSettings::cbMDIform, true);
}

void TAppExpert::SingleInstanceAppClick() {
  if (ui_->siDDE) ui_->siDDE->setEnabled(Flag(&WizardSettings::SingleInstanceApp));
}

void TAppExpert::cbMRUClick() {
  if (ui_->cbMRUReg) ui_->cbMRUReg->setEnabled(Flag(&WizardSettings::cbMRU));
}

void TAppExpert::BrowseClick() {
  if (auto chosen = services_.directoryChooser->Choose(this, ui_->AppPath->text()))
    ui_->AppPath->setText(*chosen);
}

}  // namespace orvalen::wizard
