// From starting a program to the first paint of its dialog: testorvalen up
// to the wizard's first paint beside a bare Qt program showing an empty
// dialog of the same size (527 x 281), and the resident memory of each at
// that moment.
//
// Each iteration starts each program afresh, in turn (fork and exec, timed
// from just before the fork) with the probe library preloaded; the probe reports the
// clock and the resident set right after the first paint and ends the
// process. The platform is offscreen unless QT_QPA_PLATFORM says otherwise
// (QT_QPA_PLATFORM=xcb with DISPLAY set measures on an X server). The wizard's
// settings store is an empty one of the benchmark's own.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

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

// The programs measured, started in turn within each iteration (A B C A B C
// ...), each iteration beginning one further along, so that a drift of the
// machine's load falls on all of them alike.
struct Program {
  const char* name;
  const char* path;
  const char* argument;
};
constexpr Program kPrograms[] = {{"testorvalen", ORVALEN_TESTORVALEN, nullptr},
                                 {"bare_dialog", ORVALEN_BARE_DIALOG, nullptr},
                                 // Not the reference: the bare dialog with one line of text.
                                 {"bare_dialog_text", ORVALEN_BARE_DIALOG, "text"}};
constexpr std::size_t kProgramCount = std::size(kPrograms);

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The iteration's time is testorvalen's; the counters hold each program's
// median over the iterations (ms and KiB) and testorvalen's ratio to each
// bare dialog's median.
void BM_StartToFirstPaint(benchmark::State& state) {
  std::vector<double> ms[kProgramCount], kib[kProgramCount];
  std::size_t first = 0;
  for (auto _ : state) {
    try {
      for (std::size_t k = 0; k < kProgramCount; ++k) {
        const std::size_t i = (first + k) % kProgramCount;
        const FirstPaint run = StartToFirstPaint(kPrograms[i].path, kPrograms[i].argument);
        ms[i].push_back(run.seconds * 1e3);
        kib[i].push_back(static_cast<double>(run.residentKiB));
        if (i == 0) state.SetIterationTime(run.seconds);
      }
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return;
    }
    first = (first + 1) % kProgramCount;
  }
  for (std::size_t i = 0; i < kProgramCount; ++i) {
    const std::string name = kPrograms[i].name;
    state.counters[name + "_ms"] = Median(ms[i]);
    state.counters[name + "_KiB"] = Median(kib[i]);
    if (i > 0 && Median(ms[i]) > 0)
      state.counters["ratio_to_" + name] = Median(ms[0]) / Median(ms[i]);
  }
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

// The console's table, then the programs set against each other from the
// medians of the last run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        counters_.clear();
        for (const auto& [name, counter] : run.counters) counters_[name] = counter.value;
        iterations_ = run.iterations;
      }
    ConsoleReporter::ReportRuns(runs);
  }

  void Summarise() const {
    auto value = [this](const std::string& name) {
      auto found = counters_.find(name);
      return found == counters_.end() ? 0.0 : found->second;
    };
    const double wizard = value("testorvalen_ms"), bare = value("bare_dialog_ms"),
                 text = value("bare_dialog_text_ms");
    if (wizard <= 0 || bare <= 0 || text <= 0) return;
    std::printf(
        "medians of %lld starts of each, taken in turn:\n"
        "testorvalen to the wizard's first paint: %.1f ms, %.2f times the bare dialog with one "
        "line of text (%.1f ms), %.2f times the bare dialog (%.1f ms)\n"
        "resident memory at the first paint: testorvalen %.0f KiB, the bare dialog with text "
        "%.0f KiB, the bare dialog %.0f KiB\n",
        static_cast<long long>(iterations_), wizard, wizard / text, text, wizard / bare, bare,
        value("testorvalen_KiB"), value("bare_dialog_text_KiB"), value("bare_dialog_KiB"));
  }

 private:
  std::map<std::string, double> counters_;
  benchmark::IterationCount iterations_ = 0;
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
