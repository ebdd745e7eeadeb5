#include "units/about_unit.h"

#include <string>

#include "generator/emitter.h"
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

void WriteAboutUnit(const WizardSettings&, Emitter& emitter) {
  WriteResource("STDABOUT_PAS", emitter);
}

void WriteAboutFormText(const WizardSettings&, Emitter& emitter) {
  WriteResource("STDABOUT_TXT", emitter);
}

}  // namespace orvalen
