#include "units/about_unit.h"

#include <string>

#include "generator/emitter.h"
#include "generator/wizard_settings.h"
#include "platform/errors.h"
#include "platform/resources.h"

namespace orvalen {

namespace {

// Copies an embedded resource into the output byte for byte: the texts are
// stored as they must reach the project (Windows-1252, CR LF), so nothing
// here may reformat them.
void WriteResource(const char* name, Emitter& emitter) {
  auto bytes = platform::FindResource(name, platform::ResourceType::RCData);
  if (!bytes) throw EResourceError(std::string("The resource ") + name + " is missing.");
  emitter.Output().Write(bytes->data(), bytes->size());
}

}  // namespace

// The Lazarus target has an about unit of its own: the system's services it
// reads (version resource, user, system, links) are reached another way there.
void WriteAboutUnit(const WizardSettings& settings, Emitter& emitter) {
  WriteResource(settings.Lazarus() ? "STDABOUT_PAS_LCL" : "STDABOUT_PAS", emitter);
}

void WriteAboutFormText(const WizardSettings& settings, Emitter& emitter) {
  WriteResource(settings.Lazarus() ? "STDABOUT_LFM_LCL" : "STDABOUT_TXT", emitter);
}

}  // namespace orvalen
