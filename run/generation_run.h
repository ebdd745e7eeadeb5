// One generation run: the wizard, then the files of the new application,
// then, inside the IDE, closing the current project and opening the new one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "generator/wizard_settings.h"
#include "platform/output_sink.h"
#include "run/tool_services.h"

namespace orvalen {

struct GenerationResult {
  std::string projectFileName;      // as formed from the target directory
  std::string fullProjectFileName;  // the same made absolute
  // What an IDE opens, absolute: the project source, or the Lazarus target's .lpi.
  std::string ideProjectFileName;
  std::vector<std::string> files;  // every file created, in order
};

// Loads the snippet library, creates every file of the application in order
// in `sink` under the target directory and releases the library on every
// path. A failure ends the writing: completed files stay, later ones are not
// written. Settings the wizard would refuse raise ESettingsError before
// anything is written.
GenerationResult GenerateApplication(const WizardSettings& settings, platform::OutputSink& sink);
// The same onto disk, each replaced file kept under its backup name.
GenerationResult GenerateApplication(const WizardSettings& settings);

class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The wizard as the run sees it: shown modally, its settings read after it
// closed. The dialog issue provides the real one.
class WizardDialog {
 public:
  virtual ~WizardDialog() = default;
  // The modal result: kModalOk only when the user finished the wizard.
  virtual int ShowModal() = 0;
  virtual WizardSettings Settings() const = 0;
};
inline constexpr int kModalOk = 1;

using WizardFactory = std::function<std::unique_ptr<WizardDialog>()>;

// Creates the dialog, shows it, and after Finish generates the application;
// then, given tool services, closes the IDE's project and, only if that
// succeeded, opens the generated one (ideProjectFileName). The dialog is freed on every path;
// failures pass to the caller.
void RunAppExpert(const WizardFactory& createDialog, TIToolServices* toolServices);

}  // namespace orvalen
