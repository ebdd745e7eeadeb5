// Throughput of the form text conversion on a large synthetic form: thousands
// of panels and buttons with integers of every width, strings with doubled
// quotes and #codes, sets, identifiers and multi-line binary data.
//
//   form_conversion_bench [benchmark flags]
//   (BM_ConvertCommandAtLimit: orvalen-gen --convert on a form text at its
//   size limit, its wall time and peak resident memory beside the text's size)
//   form_conversion_bench --write-text FILE [MEGABYTES]   writes the form text (default 12 MB)
//
// The text keeps to what every converter of form texts agrees on (ASCII
// strings, 32-bit integers, no Null), so bench/convert_vs_fpc.sh can compare
// the binary files of two converters as well as their speed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/streams.h"
#include "units/form_conversion.h"

namespace {

// A fixed linear congruential sequence: the same text on every machine.
class Sequence {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }

 private:
  std::uint64_t state_ = 0x0123456789ABCDEFull;
};

void HexData(std::string& t, Sequence& seq, std::size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  char length[9];
  std::snprintf(length, sizeof length, "%02X%02X%02X%02X", static_cast<unsigned>(size & 0xFF),
                static_cast<unsigned>(size >> 8 & 0xFF), static_cast<unsigned>(size >> 16 & 0xFF),
                static_cast<unsigned>(size >> 24));
  t += length;
  for (std::size_t i = 0; i < size; ++i) {
    if (i % 32 == 0) t += "\r\n";
    std::uint32_t v = seq.Below(256);
    t += digits[v >> 4];
    t += digits[v & 15];
  }
  t += "}\r\n";
}

void Button(std::string& t, Sequence& seq, int n) {
  static const char* const kHints[] = {"Create a new file", "Open an existing file",
                                       "Save current file", "Delete selected item"};
  std::string name = "Button" + std::to_string(n);
  t += "    object " + name + ": TSpeedButton\r\n";
  t += "      Left = " + std::to_string(8 + 24 * (n % 40)) + "\r\n";
  t += "      Top = " + std::to_string(seq.Below(300)) + "\r\n";
  t += "      Width = 25\r\n      Height = 25\r\n";
  t += "      Tag = " + std::to_string(static_cast<std::int32_t>(seq.Next()) - 1073741824) + "\r\n";
  t += "      Caption = 'Button ''" + std::to_string(n) + "'''#13#10'second line'\r\n";
  t += "      Hint = '" + std::string(kHints[seq.Below(4)]) +
       "|' +\r\n        'More text for the status line'\r\n";
  t += "      Font.Height = -" + std::to_string(8 + seq.Below(10)) + "\r\n";
  t += "      Font.Style = [fsBold, fsItalic]\r\n";
  t += "      Anchors = [akLeft, akTop]\r\n";
  t += "      Enabled = True\r\n      Flat = False\r\n";
  t += "      OnClick = " + name + "Click\r\n";
  t += "      NumGlyphs = 2\r\n";
  t += "      Glyph.Data = {\r\n";
  HexData(t, seq, 200 + seq.Below(400));
  t += "    end\r\n";
}

std::string SyntheticFormText(std::size_t minBytes) {
  Sequence seq;
  std::string t;
  t.reserve(minBytes + 65536);
  t += "object BenchForm: TBenchForm\r\n";
  t += "  Left = 214\r\n  Top = 112\r\n  Width = 409\r\n  Height = 249\r\n";
  t += "  Caption = 'Benchmark form'\r\n  Font.Color = clWindowText\r\n";
  t += "  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n  Font.Style = []\r\n";
  int panel = 0, button = 0;
  while (t.size() < minBytes) {
    ++panel;
    t += "  object Panel" + std::to_string(panel) + ": TPanel\r\n";
    t += "    Align = alTop\r\n    Height = " + std::to_string(33 + seq.Below(70000)) + "\r\n";
    t += "    Caption = ''\r\n    BevelOuter = bvNone\r\n";
    for (int i = 0; i < 8; ++i) Button(t, seq, ++button);
    t += "  end\r\n";
  }
  t += "end\r\n";
  return t;
}

const std::string& Text() {
  static const std::string text = SyntheticFormText(12u << 20);
  return text;
}

void BM_ConvertFormText(benchmark::State& state) {
  const std::string& text = Text();
  std::size_t outBytes = 0;
  for (auto _ : state) {
    auto bytes = orvalen::ObjectTextToResource(text);
    outBytes = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["binary_MB"] = static_cast<double>(outBytes) / 1e6;
}
BENCHMARK(BM_ConvertFormText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The peak resident memory of a child running `orvalen-gen --convert TEXT
// BIN`, in KiB, or -1 when it fails.
long ConvertCommandPeakKiB(const std::string& text, const std::string& bin) {
  pid_t child = fork();
  if (child == 0) {
    int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1);
    execl(ORVALEN_GEN, ORVALEN_GEN, "--convert", text.c_str(), bin.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return -1;
  return usage.ru_maxrss;
}

void BM_ConvertCommandAtLimit(benchmark::State& state) {
  // As large as the limit allows: the text grows a panel at a time, each far
  // below a mebibyte.
  const std::string text = SyntheticFormText(orvalen::platform::kMaxFormTextSize - (1u << 20));
  if (text.size() > orvalen::platform::kMaxFormTextSize) {
    state.SkipWithError("the synthetic text outgrew the limit");
    return;
  }
  char dir[] = "/tmp/orvalen-bench-convert.XXXXXX";
  if (!mkdtemp(dir)) {
    state.SkipWithError("no temporary directory");
    return;
  }
  const std::string in = std::string(dir) + "/BIG.TXT", out = std::string(dir) + "/BIG.DFM";
  std::FILE* f = std::fopen(in.c_str(), "wb");
  bool written = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f) written = std::fclose(f) == 0 && written;
  long peak = 0;
  for (auto _ : state) {
    if (!written || (peak = ConvertCommandPeakKiB(in, out)) < 0) {
      state.SkipWithError("orvalen-gen --convert failed");
      break;
    }
  }
  std::remove(in.c_str());
  std::remove(out.c_str());
  rmdir(dir);
  state.counters["text_MiB"] = static_cast<double>(text.size()) / (1 << 20);
  state.counters["peak_MiB"] = static_cast<double>(peak) / 1024;
  state.counters["peak_per_text"] =
      static_cast<double>(peak) * 1024 / static_cast<double>(text.size());
}
BENCHMARK(BM_ConvertCommandAtLimit)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--write-text") == 0) {
    std::size_t megabytes = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 12;
    std::string text = SyntheticFormText(megabytes << 20);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
      std::fprintf(stderr, "form_conversion_bench: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
