// The MDI child form's description: the fixed text form "MDICHILD.TXT", from
// which the binary form file "MDICHILD.DFM" is converted. It does not depend
// on the wizard's choices.
#pragma once

namespace orvalen {

class Emitter;

// Writes the child form's text form as it stands in the template.
void WriteMdiChildFormText(Emitter& emitter);

}  // namespace orvalen
