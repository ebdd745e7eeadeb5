// The expert module's entry point and what it holds for its whole load: the
// IDE's tool services, the owner window, and a Qt application object of its
// own when the host has none.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "hosts/expert/application_expert.h"
#include "hosts/expert/expert_api.h"
#include "hosts/expert/foreign_host.h"
#include "platform/qt/application_title.h"
#include "platform/qt/message_box.h"
#include "run/generation_run.h"
#include "wizard/app_expert_dialog.h"

namespace orvalen::hosts {

namespace {

// The run's view of the IDE's services: strings go over as IdeStrings made
// through the shared memory manager and released after the call.
class IdeToolServices : public orvalen::TIToolServices {
 public:
  explicit IdeToolServices(ota::TIToolServices& ide) : ide_(ide) {}
  void AddRef() override { ide_.AddRef(); }
  void Release() override { ide_.Release(); }
  int GetVersion() override { return ide_.GetVersion(); }
  bool CloseProject() override { return ide_.CloseProject(); }
  bool OpenProject(const std::string& projectFileName) override {
    ota::IdeString name = ota::IdeStrNew(projectFileName.data(), projectFileName.size());
    const bool opened = ide_.OpenProject(name);
    ota::IdeStrRelease(name);
    return opened;
  }

 private:
  ota::TIToolServices& ide_;
};

// A host without a Qt application object gets one, kept for the module's life.
// Such a host runs another toolkit (gtk2, qt5): Qt is told first what keeps
// the two apart.
void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  PrepareForeignHostEnvironment();
  static int argc = 1;
  static char name[] = "orvalen";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);  // lives until unload
  (void)application;
}

struct ModuleState {
  ExpertModule expert;
  ota::HWND owner = 0;
  bool servicesHeld = false;
};

ModuleState& State() {
  static ModuleState state;
  return state;
}

// The IDE's window: the host's own widget when it shares our Qt, otherwise
// a foreign window the wizard is made transient for.
QWidget* OwnerWidget(ota::HWND owner) {
  return owner ? QWidget::find(static_cast<WId>(owner)) : nullptr;
}

void RunOnce() {
  EnsureApplication();
  ModuleState& state = State();
  QWidget* owner = OwnerWidget(state.owner);
  // A host that opens Lazarus projects only gets one written.
  const bool lazarusOnly =
      state.expert.services && ota::ProjectKindOf(*state.expert.services) == ota::pkLazarus;
  WizardFactory factory = [owner, foreign = owner ? 0 : state.owner, lazarusOnly] {
    wizard::WizardServices services = wizard::DefaultWizardServices();
    services.lazarusOnly = lazarusOnly;
    auto dialog = std::make_unique<wizard::AppExpertDialog>(owner, std::move(services));
    if (foreign) {
      QDialog& form = dialog->Form();
      form.winId();  // a native window to be transient for the IDE's
      if (QWindow* ide = QWindow::fromWinId(static_cast<WId>(foreign))) {
        // Qt's wrapper of the IDE's window is ours: it goes with the dialog.
        static_cast<QObject*>(ide)->setParent(&form);
        if (QWindow* window = form.windowHandle()) window->setTransientParent(ide);
      }
    }
    return std::unique_ptr<WizardDialog>(std::move(dialog));
  };
  if (state.expert.services) {
    IdeToolServices services(*state.expert.services);
    RunAppExpert(factory, &services);
  } else {
    RunAppExpert(factory, nullptr);
  }
}

void ShowError(const std::string& message) {
  EnsureApplication();
  platform::DefaultMessageBoxes().Show(OwnerWidget(State().owner), QMessageBox::Critical,
                                       platform::ApplicationTitle(),
                                       QString::fromStdString(message), QMessageBox::Ok);
}

void Terminate() {
  // Nothing to free: the experts end through Release, the services are the IDE's.
  // The services are let go: a host that calls the entry point again (the
  // module still loaded, or held in memory by another reference after the
  // host's dlclose) hands new services, which must replace the gone ones.
  ModuleState& state = State();
  state.servicesHeld = false;
  state.expert.services = nullptr;
  state.owner = 0;
}

}  // namespace

}  // namespace orvalen::hosts

extern "C" __attribute__((visibility("default"))) bool INITEXPERT0017(
    ota::TIToolServices* services, ota::RegisterProc registerProc, ota::TerminateProc* terminate) {
  using namespace orvalen::hosts;
  try {
    ModuleState& state = State();
    if (!state.servicesHeld && services) {
      // The first services are kept for the module's life, with their window.
      state.servicesHeld = true;
      state.expert.services = services;
      state.owner = services->GetParentHandle();
    }
    state.expert.run = RunOnce;
    state.expert.showError = ShowError;
    if (terminate) *terminate = Terminate;
    if (!registerProc) return false;
    return registerProc(new TApplicationExpert(state.expert));
  } catch (...) {
    // Nothing may cross into the IDE; an expert that could not be made is not registered.
    return false;
  }
}
