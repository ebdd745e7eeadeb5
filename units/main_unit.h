// The generated application's main form unit, MAIN.PAS: the form class with a
// field for each component of the main form and a handler for each chosen
// command, then the handler bodies from the template.
#pragma once

namespace orvalen {

class Emitter;
struct WizardSettings;

// Writes the whole unit through `emitter`; the run names and opens the file.
void WriteMainUnit(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
