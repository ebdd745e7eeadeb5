// The generated application's document window unit, MDICHILD.PAS. It does not
// depend on any choice of the wizard: the main unit names it in every project.
#pragma once

namespace orvalen {

class Emitter;
struct WizardSettings;

// Writes the whole unit through `emitter`; the run names and opens the file.
void WriteMdiChildUnit(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
