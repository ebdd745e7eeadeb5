#include "units/mdi_child_form.h"

#include "generator/emitter.h"

namespace orvalen {

namespace {
constexpr int kMdiChildFormText = 51;
}  // namespace

void WriteMdiChildFormText(Emitter& emitter) {
  emitter.WriteSnippet(kMdiChildFormText);
}

}  // namespace orvalen
