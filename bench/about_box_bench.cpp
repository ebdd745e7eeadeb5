// Creating and first painting the about box, side by side with a bare dialog
// of the same size; then the resident memory of a process showing each. The
// program carries the standalone program's version block, so the about box
// reads a real one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "about/about_form.h"
#include "bench/resident_memory.h"
#include "platform/qt/application_title.h"
#include "platform/qt/desktop_shell.h"

namespace {

struct NoShell : orvalen::platform::Shell {
  void Open(const std::string&, int) override {}
};

void FirstPaint(QWidget& w) {
  w.show();
  QPixmap picture = w.grab();
  benchmark::DoNotOptimize(picture);
}

void BM_AboutBoxCreateAndPaint(benchmark::State& state) {
  NoShell shell;
  for (auto _ : state) {
    orvalen::about::TAboutForm form(nullptr, orvalen::about::ProcessAboutSources(), shell);
    FirstPaint(form);
  }
}
BENCHMARK(BM_AboutBoxCreateAndPaint)->Unit(benchmark::kMicrosecond);

// The part that is no widget work: the machine, the user, the version block.
void BM_AboutContentOnly(benchmark::State& state) {
  for (auto _ : state) {
    auto content = orvalen::about::CollectAboutContent(orvalen::about::ProcessAboutSources());
    benchmark::DoNotOptimize(content);
  }
}
BENCHMARK(BM_AboutContentOnly)->Unit(benchmark::kMicrosecond);

void BM_BareDialogCreateAndPaint(benchmark::State& state) {
  for (auto _ : state) {
    QDialog dialog;
    dialog.setFixedSize(547, 326);
    FirstPaint(dialog);
  }
}
BENCHMARK(BM_BareDialogCreateAndPaint)->Unit(benchmark::kMicrosecond);

// The resident memory of a fresh process showing the about box or a bare dialog.
long ResidentShowing(bool aboutBox, int argc, char** argv) {
  return orvalen::bench::ResidentShowing([&] {
    QApplication app(argc, argv);
    NoShell shell;
    std::unique_ptr<QDialog> dialog;
    if (aboutBox) {
      dialog = std::make_unique<orvalen::about::TAboutForm>(
          nullptr, orvalen::about::ProcessAboutSources(), shell);
    } else {
      dialog = std::make_unique<QDialog>();
      dialog->setFixedSize(547, 326);
    }
    FirstPaint(*dialog);
    QApplication::processEvents();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  long about = ResidentShowing(true, argc, argv);
  long bare = ResidentShowing(false, argc, argv);
  std::printf(
      "Resident memory of a process showing the about box: %ld KiB; a bare dialog: %ld KiB\n",
      about, bare);
  QApplication app(argc, argv);
  orvalen::platform::SetApplicationTitle("Orvalen");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
