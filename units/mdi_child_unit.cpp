#include "units/mdi_child_unit.h"

#include "generator/emitter.h"

namespace orvalen {

namespace {
constexpr int kMdiInterface = 49;
constexpr int kMdiImplementation = 50;
}  // namespace

void WriteMdiChildUnit(const WizardSettings&, Emitter& emitter) {
  emitter.WriteSnippet(kMdiInterface);
  emitter.WriteSnippet(kMdiImplementation);
  emitter.WriteFormatted("end.\r\n");
}

}  // namespace orvalen
