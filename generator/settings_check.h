// Checks of the wizard settings before anything is written: the same rules
// for the wizard's Finish button and for the command-line generator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "generator/wizard_settings.h"

namespace orvalen {

// The longest application name a run supports: the class name "TMainForm"
// plus the name must fit the binary form file's resource header.
inline constexpr std::size_t kMaxAppNameLength = 61;

// A Pascal identifier: a letter or "_", then letters, digits and "_".
bool IsValidIdent(std::string_view name);

// The message for an application name that cannot be used, or nothing.
std::optional<std::string> CheckAppName(std::string_view name);

// The message for a speedbar that names an unknown command or a command of a
// menu that is not chosen, or nothing.
std::optional<std::string> CheckSpeedbar(const WizardSettings& settings);

// The message for document types whose filter does not fit the Open and Save
// dialog objects of the main form, or nothing. Only the File menu has them.
std::optional<std::string> CheckFilter(const WizardSettings& settings);

// Brings the typed text that reaches the generated files, the Extensions
// page's entries, from UTF-8 into settings.CodePage; once, before the checks
// that count its bytes (CheckFilter) and before anything is written. The
// application name is an ASCII identifier by CheckAppName, and the directory
// is a file-system path that stays as it is. For the Lazarus target, whose
// files are UTF-8, the typed text stays as typed. On failure the message (a
// character the code page cannot hold, an unknown code page) and the settings
// unchanged.
std::optional<std::string> EncodeTypedText(WizardSettings& settings);

}  // namespace orvalen
