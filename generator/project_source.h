// The program file of the generated application, plain or single-instance,
// and for the Lazarus target the project description beside it.
#pragma once

#include <string>

namespace orvalen {

class Emitter;
struct WizardSettings;

// The project file name: the target directory, the application name, ".DPR"
// (".lpr" for the Lazarus target).
std::string ProjectFileName(const WizardSettings& settings);

// Writes the program file's text.
void WriteProjectSource(const WizardSettings& settings, Emitter& emitter);

// The Lazarus project description: the target directory, the name, ".lpi".
std::string ProjectInfoFileName(const WizardSettings& settings);

// The widgetset a Lazarus project is built for: "qt5" for an MDI frame (the
// one LCL widgetset that keeps documents inside the frame), else empty for
// the platform's default.
std::string LazarusWidgetset(const WizardSettings& settings);

// Writes the Lazarus project description: the units, the LCL and printer
// packages, Delphi syntax, the version information and the widgetset.
void WriteProjectInfo(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
