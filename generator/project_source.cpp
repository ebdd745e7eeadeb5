#include "generator/project_source.h"

#include "generator/emitter.h"
#include "generator/wizard_settings.h"
#include "platform/paths.h"

namespace orvalen {

namespace {
constexpr int kProgramHead = 0;
constexpr int kProgramBody = 1;
constexpr int kSingleInstanceBody = 2;
}  // namespace

std::string ProjectFileName(const WizardSettings& settings) {
  return platform::TargetDirectory(settings.AppPath) + settings.AppName + ".DPR";
}

void WriteProjectSource(const WizardSettings& s, Emitter& emitter) {
  const std::string& app = s.AppName;
  emitter.WriteFormattedSnippet(kProgramHead, {app});
  if (s.SingleInstanceApp)
    emitter.WriteFormattedSnippet(kSingleInstanceBody, {app, app, app, app});
  else
    emitter.WriteFormattedSnippet(kProgramBody, {app, app, app});
}

}  // namespace orvalen
