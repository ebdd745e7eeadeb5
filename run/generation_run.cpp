#include "run/generation_run.h"

#include "generator/emitter.h"
#include "generator/project_source.h"
#include "generator/settings_check.h"
#include "generator/settings_description.h"
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
// completely before the next one begins. For the Lazarus target every file
// leaves with LF line ends, and a form is its text form alone.
class OutputFiles {
 public:
  OutputFiles(platform::OutputSink& sink, SnippetLibrary& library, GenerationResult& result,
              bool lazarus)
      : sink_(sink), library_(library), result_(result), lazarus_(lazarus) {}

  template <typename Writer>
  void Write(const std::string& path, Writer&& writer) {
    auto file = sink_.Create(path);
    result_.files.push_back(path);
    if (lazarus_) {
      platform::LfLineEnds lf(*file);
      Emitter emitter(lf, library_);
      writer(emitter);
      lf.Finish();
    } else {
      Emitter emitter(*file, library_);
      writer(emitter);
    }
    file->Close();
  }

  // A form description: the text form, then the binary form file converted
  // from it; for the Lazarus target the text form under its .lfm name.
  template <typename Writer>
  void WriteForm(const std::string& textPath, const std::string& binaryPath,
                 const std::string& lazarusPath, Writer&& writer) {
    if (lazarus_) return Write(lazarusPath, writer);
    WriteFormFiles(sink_, textPath, binaryPath, library_, writer, result_.files);
  }

 private:
  platform::OutputSink& sink_;
  SnippetLibrary& library_;
  GenerationResult& result_;
  bool lazarus_;
};

// "MAIN.TXT" -> "MAIN.lfm": the Lazarus form beside its unit.
std::string LazarusFormName(const std::string& textName) {
  return textName.substr(0, textName.rfind('.')) + ".lfm";
}

}  // namespace

GenerationResult GenerateApplication(const WizardSettings& s, platform::OutputSink& sink) {
  if (auto message = CheckAppName(s.AppName)) throw ESettingsError(*message);
  if (auto message = CheckSpeedbar(s)) throw ESettingsError(*message);
  if (auto message = CheckFilter(s)) throw ESettingsError(*message);
  if (auto problem = FindSetting("Target")->check(s)) throw ESettingsError(problem->message);

  GenerationResult result;
  // released when this function leaves, on every path
  SnippetLibrary library(SnippetVariant{s.Lazarus(), !s.cbMDIApp});
  OutputFiles out(sink, library, result, s.Lazarus());

  result.projectFileName = ProjectFileName(s);
  out.Write(result.projectFileName, [&](Emitter& e) { WriteProjectSource(s, e); });
  result.fullProjectFileName = platform::ExpandFileName(result.projectFileName);
  result.ideProjectFileName = result.fullProjectFileName;
  if (s.Lazarus()) {
    out.Write(ProjectInfoFileName(s), [&](Emitter& e) { WriteProjectInfo(s, e); });
    result.ideProjectFileName = platform::ExpandFileName(ProjectInfoFileName(s));
  }
  const std::string dir = platform::TargetDirectory(s.AppPath);
  auto file = [&](int nameId) { return dir + platform::LoadStr(nameId); };
  out.Write(file(ids::kMainPas), [&](Emitter& e) { WriteMainUnit(s, e); });
  out.WriteForm(file(ids::kMainTxt), file(ids::kMainDfm), LazarusFormName(file(ids::kMainTxt)),
                [&](Emitter& e) { WriteMainFormText(s, e); });

  // The main unit names MDIChild whether or not the form is an MDI frame.
  out.Write(file(ids::kMdiChildPas), [&](Emitter& e) { WriteMdiChildUnit(s, e); });
  out.WriteForm(file(ids::kMdiChildTxt), file(ids::kMdiChildDfm),
                LazarusFormName(file(ids::kMdiChildTxt)),
                [&](Emitter& e) { WriteMdiChildFormText(s, e); });

  // Every main unit names STDAbout, so every project carries it; it comes last.
  out.Write(dir + kAboutUnitFile, [&](Emitter& e) { WriteAboutUnit(s, e); });
  out.WriteForm(dir + kAboutFormTextFile, dir + kAboutFormFile, dir + kAboutLazarusFormFile,
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
    toolServices->OpenProject(result.ideProjectFileName);
}

}  // namespace orvalen
