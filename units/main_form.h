// The generated application's main form description: its text form
// "MAIN.TXT", from which the binary form file "MAIN.DFM" is converted.
#pragma once

#include <string>

namespace orvalen {

class Emitter;
struct WizardSettings;

// Writes the main form's text form: the form with the properties the chosen
// options need, the image list and main menu, the file dialogs, the status
// line and the speedbar with one speed button per command on it.
void WriteMainFormText(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
