// The MDI child form's description: the fixed text form "MDICHILD.TXT", from
// which the binary form file "MDICHILD.DFM" is converted (for the Lazarus
// target the text form "MDICHILD.lfm" alone).
#pragma once

namespace orvalen {

class Emitter;
struct WizardSettings;

// Writes the child form's text form as it stands in the template; where the
// main form is no MDI frame, the document form is an ordinary window.
void WriteMdiChildFormText(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
