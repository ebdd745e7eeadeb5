// From starting a program to the first paint of its dialog: testorvalen up
// to the wizard's first paint beside a bare Qt program showing an empty
// dialog of the same size (527 x 281), and the resident memory of each at
// that moment.
//
// Each iteration starts the program afresh (fork and exec, timed from just
// before the fork) with the probe library preloaded; the probe reports the
// clock and the resident set right after the first paint and ends the
// process. The platform is offscreen unless QT_QPA_PLATFORM says otherwise
// (QT_QPA_PLATFORM=xcb with DISPLAY set measures on an X server). The wizard's
// settings store is an empty one of the benchmark's own.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace {

struct FirstPaint {
  double seconds;
  long residentKiB;
};

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

const std::string& StoreDirectory() {
  static const std::string dir = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvalen-startup-bench.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
    return pattern;
  }();
  return dir;
}

FirstPaint StartToFirstPaint(const char* program, const char* argument) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  const long long start = NowNs();
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    setenv("LD_PRELOAD", ORVALEN_FIRST_PAINT_PROBE, 1);
    setenv("ORVALEN_FIRST_PAINT_FD", std::to_string(fds[1]).c_str(), 1);
    setenv("XDG_CONFIG_HOME", StoreDirectory().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", StoreDirectory().c_str(), 0);
    execl(program, program, argument, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char line[64] = {};
  ssize_t got = 0;
  while (got < static_cast<ssize_t>(sizeof line) - 1) {
    const ssize_t n = read(fds[0], line + got, sizeof line - 1 - static_cast<size_t>(got));
    if (n <= 0) break;
    got += n;
  }
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  long long painted = 0;
  long kib = -1;
  if (std::sscanf(line, "%lld %ld", &painted, &kib) != 2)
    throw std::runtime_error(std::string(program) + " ended before its first paint");
  return {static_cast<double>(painted - start) / 1e9, kib};
}

void BM_StartToFirstPaint(benchmark::State& state, const char* program,
                          const char* argument = nullptr) {
  long resident = 0;
  for (auto _ : state) {
    try {
      FirstPaint run = StartToFirstPaint(program, argument);
      state.SetIterationTime(run.seconds);
      resident += run.residentKiB;
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return;
    }
  }
  state.counters["resident_KiB"] =
      benchmark::Counter(static_cast<double>(resident), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_StartToFirstPaint, testorvalen, ORVALEN_TESTORVALEN)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);
BENCHMARK_CAPTURE(BM_StartToFirstPaint, bare_dialog, ORVALEN_BARE_DIALOG)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);
// Not the reference: the bare dialog with one line of text.
BENCHMARK_CAPTURE(BM_StartToFirstPaint, bare_dialog_text, ORVALEN_BARE_DIALOG, "text")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);

// The console's table, then the two programs set against each other: the
// median of the repetitions when there are several (--benchmark_repetitions).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!median && (run.run_type != Run::RT_Iteration || run.iterations == 0)) continue;
      // "BM_StartToFirstPaint/testorvalen": the program is the capture's name.
      const std::string& name = run.run_name.function_name;
      const std::string program = name.substr(name.find('/') + 1);
      if (!median && medians_.count(program)) continue;
      if (median) medians_.insert(program);
      auto resident = run.counters.find("resident_KiB");
      results_[program] = {run.GetAdjustedRealTime(),
                           resident == run.counters.end() ? -1.0 : resident->second.value};
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Summarise() const {
    auto wizard = results_.find("testorvalen"), bare = results_.find("bare_dialog");
    if (wizard == results_.end() || bare == results_.end() || bare->second.first <= 0) return;
    const auto [wizardMs, wizardKiB] = wizard->second;
    const auto [bareMs, bareKiB] = bare->second;
    std::printf(
        "testorvalen to the wizard's first paint: %.1f ms, %.2f times the bare dialog's %.1f ms\n"
        "resident memory at the first paint: testorvalen %.0f KiB, the bare dialog %.0f KiB "
        "(%.2f times)\n",
        wizardMs, wizardMs / bareMs, bareMs, wizardKiB, bareKiB,
        bareKiB > 0 ? wizardKiB / bareKiB : 0.0);
    auto text = results_.find("bare_dialog_text");
    if (text != results_.end())
      std::printf("the bare dialog with one line of text: %.1f ms (%.2f times), %.0f KiB\n",
                  text->second.first, text->second.first / bareMs, text->second.second);
  }

 private:
  std::map<std::string, std::pair<double, double>> results_;
  std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::printf("platform: %s\n", std::getenv("QT_QPA_PLATFORM"));
  StoreDirectory();  // made once, before the children are forked
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Summarise();
  benchmark::Shutdown();
  std::filesystem::remove_all(StoreDirectory());
  return 0;
}
