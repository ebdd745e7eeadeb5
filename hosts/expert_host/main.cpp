// expert-host: a stand-in for the IDE that expert modules are written for. It
// loads one module (orvalen.so unless another is named), hands it the tool
// services, lists its project wizards under "New Items" and runs the one
// picked; a wizard's project opens in the window. At exit the experts are
// released and the module unloaded, as the IDE does.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "hosts/expert_host/expert_host_window.h"
#include "hosts/expert_host/expert_library.h"
#include "hosts/expert_host/host_tool_services.h"
#include "platform/qt/application_title.h"

namespace {

// orvalen.so beside the program (the build tree), where the installed
// layout puts it, and last where this build made it.
QString DefaultModule() {
  const QString here = QCoreApplication::applicationDirPath();
  const QString candidates[] = {here + "/orvalen.so", here + "/../lib/orvalen/orvalen.so",
                                QStringLiteral(ORVALEN_BUILD_MODULE)};
  for (const QString& candidate : candidates)
    if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
  return QDir::cleanPath(candidates[1]);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("expert-host");
  orvalen::platform::SetApplicationTitle("Expert Host");
  QApplication::setApplicationVersion(ORVALEN_VERSION);

  QCommandLineParser arguments;
  arguments.setApplicationDescription(
      "Loads an expert module as the IDE does and lists its project wizards.");
  arguments.addHelpOption();
  arguments.addVersionOption();
  arguments.addPositionalArgument("module", "The expert module to load (default: orvalen.so).",
                                  "[module]");
  arguments.process(application);
  const QStringList named = arguments.positionalArguments();
  if (named.size() > 1) arguments.showHelp(2);
  const QString module = named.isEmpty() ? DefaultModule() : named.first();

  using namespace orvalen::hosts;
  ExpertHostWindow window(orvalen::platform::DefaultMessageBoxes());
  HostToolServices services(window);
  std::unique_ptr<ExpertLibrary> library;
  try {
    library = std::make_unique<ExpertLibrary>(module.toStdString());
  } catch (const EExpertLoadError& error) {
    std::fprintf(stderr, "expert-host: %s\n", error.what());
    window.ShowError(error.what());
    return 1;
  }
  window.winId();  // the experts' owner window, asked for by the entry point
  if (!library->Initialize(&services))
    std::fprintf(stderr, "expert-host: %s did not register its expert\n",
                 module.toLocal8Bit().constData());
  window.ShowExperts(library->Experts());
  window.show();
  const int status = application.exec();

  // The module goes before the window whose services it holds.
  window.ClearExperts();
  library->Unload();
  return status;
}
