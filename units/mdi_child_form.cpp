#include "units/mdi_child_form.h"

#include "generator/emitter.h"
#include "generator/string_ids.h"
#include "generator/wizard_settings.h"
#include "platform/paths.h"
#include "platform/resources.h"

namespace orvalen {

namespace {
constexpr int kMdiChildFormText = 51;
}  // namespace

std::string MdiChildTextPath(const WizardSettings& s) {
  return platform::TargetDirectory(s.AppPath) + platform::LoadStr(ids::kMdiChildTxt);
}

std::string MdiChildBinaryPath(const WizardSettings& s) {
  return platform::TargetDirectory(s.AppPath) + platform::LoadStr(ids::kMdiChildDfm);
}

void WriteMdiChildFormText(Emitter& emitter) {
  emitter.WriteSnippet(kMdiChildFormText);
}

}  // namespace orvalen
