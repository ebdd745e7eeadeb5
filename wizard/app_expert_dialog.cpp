#include "wizard/app_expert_dialog.h"

namespace orvalen::wizard {

AppExpertDialog::AppExpertDialog(QWidget* owner, WizardServices services)
    : form_(std::make_unique<TAppExpert>(owner, std::move(services))) {}

int AppExpertDialog::ShowModal() {
  return form_->exec();
}

WizardSettings AppExpertDialog::Settings() const {
  return form_->Settings();
}

WizardFactory AppExpertFactory(QWidget* owner, WizardServices services) {
  return [owner, services]() -> std::unique_ptr<WizardDialog> {
    return std::make_unique<AppExpertDialog>(owner, services);
  };
}

}  // namespace orvalen::wizard
