// The dialogs name the classic dialog font, "MS Sans Serif", which this
// platform does not have. Its narrow metrics are what the fixed layouts were
// drawn for, so the name is taken by the closest narrow sans-serif fonts at
// hand before falling back to the desktop's own.
#pragma once

namespace orvalen::platform {

// Registers the substitutes once per process; cheap to call again.
void UseClassicDialogFont();

}  // namespace orvalen::platform
