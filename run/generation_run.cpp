#include "run/generation_run.h"

#include "generator/emitter.h"
#include "generator/project_source.h"
#include "generator/settings_check.h"
#include "generator/snippet_library.h"
#include "generator/string_ids.h"
#include "platform/paths.h"
#include "platform/resources.h"
#include "platform/streams.h"
#include "units/about_unit.h"
#include "units/form_files.h"
#include "units/main_form.h"
#include "units/main_unit.h"
#include "units/mdi_child_form.h"
#include "units/mdi_child_unit.h"

namespace orvalen {

namespace {

// Creates each output file, hands the writer an emitter on it, and closes it
// completely before the next one begins.
class OutputFiles {
 public:
  OutputFiles(platform::OutputSink& sink, SnippetLibrary& library, GenerationResult& result)
      : sink_(sink), library_(library), result_(result) {}

  template <typename Writer>
  void Write(const std::string& path, Writer&& writer) {
    auto file = sink_.Create(path);
    result_.files.push_back(path);
    Emitter emitter(*file, library_);
    writer(emitter);
    file->Close();
  }

  // A form description: the text form, then the binary form file converted from it.
  template <typename Writer>
  void WriteForm(const std::string& textPath, const std::string& binaryPath, Writer&& writer) {
    WriteFormFiles(sink_, textPath, binaryPath, library_, writer, result_.files);
  }

 private:
  platform::OutputSink& sink_;
  SnippetLibrary& library_;
  GenerationResult& result_;
};

}  // namespace

GenerationResult GenerateApplication(const WizardSettings& s, platform::OutputSink& sink) {
  if (auto message = CheckAppName(s.AppName)) throw ESettingsError(*message);
  if (auto message = CheckSpeedbar(s)) throw ESettingsError(*message);
  if (auto message = CheckFilter(s)) throw ESettingsError(*message);

  GenerationResult result;
  SnippetLibrary library;  // released when this function leaves, on every path
  OutputFiles out(sink, library, result);

  result.projectFileName = ProjectFileName(s);
  out.Write(result.projectFileName, [&](Emitter& e) { WriteProjectSource(s, e); });
  result.fullProjectFileName = platform::ExpandFileName(result.projectFileName);
  const std::string dir = platform::TargetDirectory(s.AppPath);
  auto file = [&](int nameId) { return dir + platform::LoadStr(nameId); };
  out.Write(file(ids::kMainPas), [&](Emitter& e) { WriteMainUnit(s, e); });
  out.WriteForm(file(ids::kMainTxt), file(ids::kMainDfm),
                [&](Emitter& e) { WriteMainFormText(s, e); });

  // The main unit names MDIChild whether or not the form is an MDI frame.
  out.Write(file(ids::kMdiChildPas), [&](Emitter& e) { WriteMdiChildUnit(s, e); });
  out.WriteForm(file(ids::kMdiChildTxt), file(ids::kMdiChildDfm),
                [&](Emitter& e) { WriteMdiChildFormText(e); });

  // Every main unit names STDAbout, so every project carries it; it comes last.
  out.Write(dir + kAboutUnitFile, [&](Emitter& e) { WriteAboutUnit(s, e); });
  out.WriteForm(dir + kAboutFormTextFile, dir + kAboutFormFile,
                [&](Emitter& e) { WriteAboutFormText(s, e); });
  return result;
}

GenerationResult GenerateApplication(const WizardSettings& settings) {
  platform::DiskSink disk;
  return GenerateApplication(settings, disk);
}

void RunAppExpert(const WizardFactory& createDialog, TIToolServices* toolServices) {
  std::unique_ptr<WizardDialog> dialog = createDialog();  // freed on every path
  if (dialog->ShowModal() != kModalOk) return;
  GenerationResult result = GenerateApplication(dialog->Settings());
  if (toolServices && toolServices->CloseProject())
    toolServices->OpenProject(result.fullProjectFileName);
}

}  // namespace orvalen
