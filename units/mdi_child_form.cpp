#include "units/mdi_child_form.h"

#include <string>

#include "generator/emitter.h"
#include "generator/wizard_settings.h"

namespace orvalen {

namespace {
constexpr int kMdiChildFormText = 51;
constexpr const char* kMdiChildStyle = "  FormStyle = fsMDIChild\r\n";
}  // namespace

void WriteMdiChildFormText(const WizardSettings& settings, Emitter& emitter) {
  if (settings.cbMDIApp) return emitter.WriteSnippet(kMdiChildFormText);
  // Without an MDI frame a document form that is an MDI child cannot be
  // created at all: there it is an ordinary window.
  std::string text(emitter.Library().Snippet(kMdiChildFormText));
  const auto line = text.find(kMdiChildStyle);
  if (line != std::string::npos) text.erase(line, std::string_view(kMdiChildStyle).size());
  emitter.Output().Write(text);
}

}  // namespace orvalen
