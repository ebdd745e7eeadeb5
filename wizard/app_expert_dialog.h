// The wizard dialog as the generation run sees it: created by the run's
// factory, shown modally, its settings read after it closed, freed by the run.
#pragma once

#include <memory>

#include "run/generation_run.h"
#include "wizard/app_expert.h"

namespace orvalen::wizard {

class AppExpertDialog : public WizardDialog {
 public:
  AppExpertDialog(QWidget* owner, WizardServices services);
  int ShowModal() override;
  WizardSettings Settings() const override;
  TAppExpert& Form() { return *form_; }

 private:
  std::unique_ptr<TAppExpert> form_;
};

// Makes the dialogs of a run; `owner` becomes each dialog's parent window.
WizardFactory AppExpertFactory(QWidget* owner, WizardServices services);

}  // namespace orvalen::wizard
