#include "generator/project_source.h"

#include "generator/emitter.h"
#include "generator/format.h"
#include "generator/wizard_settings.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/resources.h"

namespace orvalen {

namespace {
constexpr int kProgramHead = 0;
constexpr int kProgramBody = 1;
constexpr int kSingleInstanceBody = 2;
}  // namespace

std::string ProjectFileName(const WizardSettings& settings) {
  return platform::TargetDirectory(settings.AppPath) + settings.AppName +
         (settings.Lazarus() ? ".lpr" : ".DPR");
}

void WriteProjectSource(const WizardSettings& s, Emitter& emitter) {
  const std::string& app = s.AppName;
  emitter.WriteFormattedSnippet(kProgramHead, {app});
  // The Lazarus program also sets the application's title from the name.
  if (s.SingleInstanceApp)
    emitter.WriteFormattedSnippet(kSingleInstanceBody, {app, app, app, app});
  else if (s.Lazarus())
    emitter.WriteFormattedSnippet(kProgramBody, {app, app, app, app});
  else
    emitter.WriteFormattedSnippet(kProgramBody, {app, app, app});
}

std::string ProjectInfoFileName(const WizardSettings& settings) {
  return platform::TargetDirectory(settings.AppPath) + settings.AppName + ".lpi";
}

std::string LazarusWidgetset(const WizardSettings& settings) {
  return settings.cbMDIApp ? "qt5" : "";
}

void WriteProjectInfo(const WizardSettings& s, Emitter& emitter) {
  auto text = platform::FindResource("PROJECT_LPI", platform::ResourceType::RCData);
  if (!text) throw EResourceError("The resource PROJECT_LPI is missing.");
  const std::string_view format(reinterpret_cast<const char*>(text->data()), text->size());
  std::string widgetset = LazarusWidgetset(s);
  std::string macros;
  if (!widgetset.empty())
    macros =
        "      <SharedMatrixOptions Count=\"1\">\r\n"
        "        <Item1 ID=\"1\" Modes=\"Default\" Type=\"IDEMacro\" MacroName=\"LCLWidgetType\" "
        "Value=\"" +
        widgetset + "\"/>\r\n      </SharedMatrixOptions>\r\n";
  // The name is an identifier: nothing in it needs escaping in XML.
  const std::string& app = s.AppName;
  // Title, FileDescription, InternalName, OriginalFilename, ProductName, the
  // widgetset, the program file, the main form, the program.
  emitter.Output().Write(Format(format, {app, app, app, app, app, macros, app, app, app}));
}

}  // namespace orvalen
