// The about unit every generated application carries: its main unit names
// STDAbout and its Help About handler shows TAboutForm, so each project gets
// the unit and its form text, written exactly as they ship in the resources.
#pragma once

namespace orvalen {

class Emitter;
struct WizardSettings;

inline constexpr char kAboutUnitFile[] = "STDABOUT.PAS";
inline constexpr char kAboutFormTextFile[] = "STDABOUT.TXT";
inline constexpr char kAboutFormFile[] = "STDABOUT.DFM";
inline constexpr char kAboutLazarusFormFile[] = "STDABOUT.lfm";

// The unit's source, the same for every set of choices of a target.
void WriteAboutUnit(const WizardSettings& settings, Emitter& emitter);
// The text form of the unit's form.
void WriteAboutFormText(const WizardSettings& settings, Emitter& emitter);

}  // namespace orvalen
