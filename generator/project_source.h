// The program file of the generated application, plain or single-instance.
#pragma once

#include <string>

namespace orvalen {

class Emitter;
struct WizardSettings;

// The project file name: the target directory, the application name, ".DPR".
std::string ProjectFileName(const WizardSettings& settings);

// Writes the program file's text.
void WriteProjectSource(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
