// One whole generation run into a temporary directory (each replaced file
// kept as a backup first, as every run does), without backups, and into
// memory, beside a floor that writes the very same bytes to the very same
// files with plain stdio. The ratios tell what the generation itself costs
// over the I/O, and what the backups cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/streams.h"
#include "run/generation_run.h"

namespace {

namespace fs = std::filesystem;

orvalen::WizardSettings EveryOption(const fs::path& dir) {
  orvalen::WizardSettings s;
  s.AppName = "BenchApp";
  s.AppPath = dir.string();
  s.cbFileMenu = s.cbEditMenu = s.cbWindowMenu = s.cbHelpMenu = true;
  s.cbMRU = s.cbMRUReg = true;
  s.SingleInstanceApp = true;
  s.ExtListBox = {"Text files (*.txt)|*.txt", "All files (*.*)|*.*"};
  for (int id = 11100; id < 11118; ++id) {
    s.Speedbar.push_back(id);
    if (id == 11106 || id == 11110 || id == 11113) s.Speedbar.push_back(orvalen::kSpeedbarSpace);
  }
  return s;
}

fs::path BenchDir(const char* name) {
  fs::path dir = fs::temp_directory_path() / (std::string("orvalen-bench-") + name);
  fs::create_directories(dir);
  return dir;
}

void BM_GenerationRun(benchmark::State& state) {
  fs::path dir = BenchDir("run");
  auto settings = EveryOption(dir);
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto result = orvalen::GenerateApplication(settings);
    benchmark::DoNotOptimize(result);
  }
  for (const auto& f : orvalen::GenerateApplication(settings).files) bytes += fs::file_size(f);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["files"] =
      static_cast<double>(orvalen::GenerateApplication(settings).files.size());
  fs::remove_all(dir);
}
BENCHMARK(BM_GenerationRun)->Unit(benchmark::kMicrosecond);

// The same run keeping no backups, and into memory, as the preview and a dry run make it.
void BM_GenerationRunNoBackup(benchmark::State& state) {
  fs::path dir = BenchDir("nobackup");
  auto settings = EveryOption(dir);
  orvalen::platform::DiskSink disk(false);
  for (auto _ : state) benchmark::DoNotOptimize(orvalen::GenerateApplication(settings, disk));
  fs::remove_all(dir);
}
BENCHMARK(BM_GenerationRunNoBackup)->Unit(benchmark::kMicrosecond);

void BM_GenerationRunIntoMemory(benchmark::State& state) {
  auto settings = EveryOption(BenchDir("memory"));
  for (auto _ : state) {
    orvalen::platform::MemorySink memory;
    benchmark::DoNotOptimize(orvalen::GenerateApplication(settings, memory));
  }
}
BENCHMARK(BM_GenerationRunIntoMemory)->Unit(benchmark::kMicrosecond);

// The Lazarus target beside the Windows one, both onto disk with backups and
// into memory: the same choices, its own snippets, LF line ends, the project
// description, and text forms without the binary conversion.
void BM_GenerationRunLazarus(benchmark::State& state) {
  fs::path dir = BenchDir("lazarus");
  auto settings = EveryOption(dir);
  settings.Target = orvalen::WizardSettings::kTargetLcl;
  for (auto _ : state) benchmark::DoNotOptimize(orvalen::GenerateApplication(settings));
  state.counters["files"] =
      static_cast<double>(orvalen::GenerateApplication(settings).files.size());
  fs::remove_all(dir);
}
BENCHMARK(BM_GenerationRunLazarus)->Unit(benchmark::kMicrosecond);

void BM_GenerationRunLazarusIntoMemory(benchmark::State& state) {
  auto settings = EveryOption(BenchDir("lazarus-memory"));
  settings.Target = orvalen::WizardSettings::kTargetLcl;
  for (auto _ : state) {
    orvalen::platform::MemorySink memory;
    benchmark::DoNotOptimize(orvalen::GenerateApplication(settings, memory));
  }
}
BENCHMARK(BM_GenerationRunLazarusIntoMemory)->Unit(benchmark::kMicrosecond);

// The floor: the same files with the same contents, written with fopen/fwrite/fclose.
void BM_WriteSameBytesFloor(benchmark::State& state) {
  fs::path dir = BenchDir("floor");
  auto result = orvalen::GenerateApplication(EveryOption(dir));
  std::vector<std::pair<std::string, std::string>> files;
  std::size_t bytes = 0;
  for (const auto& f : result.files) {
    files.emplace_back(f, orvalen::platform::ReadFileBytes(f));
    bytes += files.back().second.size();
  }
  for (auto _ : state) {
    for (const auto& [path, content] : files) {
      std::FILE* out = std::fopen(path.c_str(), "wb");
      std::fwrite(content.data(), 1, content.size(), out);
      std::fclose(out);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  fs::remove_all(dir);
}
BENCHMARK(BM_WriteSameBytesFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
