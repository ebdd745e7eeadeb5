// Creating the wizard dialog and painting it the first time, side by side
// with a bare dialog of the same size; then the resident memory of a process
// showing each. The wizard remembers its settings in a store of its own here;
// destroying either dialog is left out of the timing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTreeWidget>
#include <cstdio>
#include <string>

#include "bench/resident_memory.h"
#include "platform/qt/application_title.h"
#include "platform/registry.h"
#include "run/generation_run.h"
#include "ui_preview_window.h"
#include "wizard/app_expert.h"
#include "wizard/app_expert_controls.h"
#include "wizard/preview_window.h"

namespace {

struct NoShell : orvalen::platform::Shell {
  void Open(const std::string&, int) override {}
};
struct NoBoxes : orvalen::platform::MessageBoxes {
  QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                   QMessageBox::StandardButtons) override {
    return QMessageBox::Ok;
  }
};
struct NoChooser : orvalen::wizard::DirectoryChooser {
  std::optional<QString> Choose(QWidget*, const QString&) override { return std::nullopt; }
};

// One store directory for the whole program, its forked children included.
const QString& StoreDirectory() {
  static const QString dir =
      QDir::tempPath() + "/orvalen-wizard-bench-" + QString::number(getpid());
  return dir;
}

std::string StorePath() {
  return (StoreDirectory() + "/registry").toStdString();
}

orvalen::wizard::WizardServices Services() {
  static NoShell shell;
  static NoBoxes boxes;
  static NoChooser chooser;
  orvalen::wizard::WizardServices s;
  s.messageBoxes = &boxes;
  s.shell = &shell;
  s.directoryChooser = &chooser;
  s.openRegistry = [path = StorePath()] {
    return std::make_unique<orvalen::platform::Registry>(orvalen::platform::CurrentUserStore(path));
  };
  s.settingsKey = "Software\\wizard_bench";
  return s;
}

void FirstPaint(QWidget& w) {
  w.show();
  QPixmap picture = w.grab();
  benchmark::DoNotOptimize(picture);
}

void BM_WizardCreateAndPaint(benchmark::State& state) {
  auto services = Services();
  for (auto _ : state) {
    auto form = std::make_unique<orvalen::wizard::TAppExpert>(nullptr, services);
    FirstPaint(*form);
    // Closing saves the remembered settings durably; that is not creation.
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WizardCreateAndPaint)->Unit(benchmark::kMicrosecond);

void BM_BareDialogCreateAndPaint(benchmark::State& state) {
  for (auto _ : state) {
    auto dialog = std::make_unique<QDialog>();
    dialog->setFixedSize(527, 281);
    FirstPaint(*dialog);
    state.PauseTiming();
    dialog.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BareDialogCreateAndPaint)->Unit(benchmark::kMicrosecond);

// A changed choice reaching the open Preview window: the run into memory, the
// file list and the coloured text of the main unit, painted; beside it the
// bare run into memory, its reference.
void BM_PreviewUpdate(benchmark::State& state) {
  auto form = std::make_unique<orvalen::wizard::TAppExpert>(nullptr, Services());
  form->show();
  orvalen::WizardSettings s = form->RawSettings();
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = s.cbMRU = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt"};
  s.AppName = "BenchApp";
  s.AppPath = QDir::tempPath().toStdString() + "/orvalen-preview-bench";
  form->ApplySettings(s);
  form->Controls().PreviewButton->click();
  auto* preview = form->Preview();
  preview->Controls().FileList->setCurrentItem(preview->Controls().FileList->topLevelItem(1));
  for (auto _ : state) {
    form->Controls().cbHints->click();
    preview->Refresh();
    QPixmap picture = preview->grab();
    benchmark::DoNotOptimize(picture);
  }
}
BENCHMARK(BM_PreviewUpdate)->Unit(benchmark::kMicrosecond);

void BM_GenerationIntoMemory(benchmark::State& state) {
  orvalen::WizardSettings s;
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = s.cbMRU = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt"};
  s.AppName = "BenchApp";
  s.AppPath = QDir::tempPath().toStdString() + "/orvalen-preview-bench";
  for (auto _ : state) {
    s.cbHints = !s.cbHints;
    orvalen::platform::MemorySink memory;
    benchmark::DoNotOptimize(orvalen::GenerateApplication(s, memory));
  }
}
BENCHMARK(BM_GenerationIntoMemory)->Unit(benchmark::kMicrosecond);

// The resident memory of a fresh process showing the wizard or a bare dialog.
long ResidentShowing(bool wizard, int argc, char** argv) {
  return orvalen::bench::ResidentShowing([&] {
    QApplication app(argc, argv);
    std::unique_ptr<QDialog> dialog;
    if (wizard) {
      dialog = std::make_unique<orvalen::wizard::TAppExpert>(nullptr, Services());
    } else {
      dialog = std::make_unique<QDialog>();
      dialog->setFixedSize(527, 281);
    }
    FirstPaint(*dialog);
    QApplication::processEvents();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  StoreDirectory();
  long wizard = ResidentShowing(true, argc, argv);
  long bare = ResidentShowing(false, argc, argv);
  std::printf("Resident memory of a process showing the wizard: %ld KiB; a bare dialog: %ld KiB\n",
              wizard, bare);
  int status = 0;
  {
    QApplication app(argc, argv);
    orvalen::platform::SetApplicationTitle("Orvalen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  QDir(StoreDirectory()).removeRecursively();
  return status;
}
