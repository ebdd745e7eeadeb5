// Generates the application for every combination of the wizard's choices and
// compares each binary form file we write (MAIN.DFM, MDICHILD.DFM,
// STDABOUT.DFM) byte for byte with Free Pascal's conversion of the same text.
// Texts that come out the same in several runs are converted by Free Pascal
// once (our file for them must then be the same every time, too).
//
//   forms_vs_fpc FPC_CONVERT WORKDIR [--full]
//
// Without --full a subset that still has every menu choice, recent-list
// variant and speedbar variant. --full runs only when ORVALEN_FULL_MATRIX=1;
// otherwise it exits 77 (skipped).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "generator/command_table.h"
#include "run/generation_run.h"
#include "generator/wizard_settings.h"
#include "platform/streams.h"

namespace {

namespace fs = std::filesystem;
using orvalen::WizardSettings;

constexpr int kSkipped = 77;

struct Options {
  std::string fpcConvert, work;
  bool full = false;
};

// The document type lists the File menu is tried with: none, ordinary ones,
// and one whose filter is longer than a short string and holds quotes, a
// line break, a tab and a letter above 127 that the text form has to carry.
const std::vector<std::vector<std::string>> kExtensionLists = {
    {},
    {"Text files (*.txt)|*.txt", "All files (*.*)|*.*"},
    {"Bob's notes (*.bob)|*.bob", "Two\r\nlines|*.2l", "Tab\there|*.tab",
     "Long " + std::string(260, 'L') + "|*.lng", "Caf\xE9 menus|*.cm", "''|'"},
};

const std::string kLongName = "Q" + std::string(60, 'n');  // the longest name a run takes

// Every command of the chosen menus, a space between menus and two at the end.
std::vector<int> FullSpeedbar(const WizardSettings& s) {
  std::vector<int> bar;
  for (int menu = 0; menu < orvalen::kMenuCount; ++menu) {
    if (!s.MenuChecked(menu)) continue;
    for (int k = 0; k < orvalen::MenuCount[menu]; ++k)
      bar.push_back(orvalen::kGlyphId + orvalen::MenuFirst[menu] + k);
    bar.push_back(orvalen::kSpeedbarSpace);
  }
  bar.push_back(orvalen::kSpeedbarSpace);
  return bar;
}

struct Combination {
  WizardSettings settings;
  std::string label;
};

std::vector<Combination> Matrix(bool full) {
  std::vector<Combination> all;
  int variant = 0;  // menus, recent-list variant and speedbar, counted
  for (int menus = 0; menus < 16; ++menus) {
    bool file = menus & 1;
    for (int recent = 0; recent < (file ? 3 : 1); ++recent) {
      for (int bar = 0; bar < 2; ++bar, ++variant) {
        // The quick subset takes one combination of the four switches per
        // variant, stepping by 7 so that all sixteen come round in turn.
        for (int flags = 0; flags < 16; ++flags) {
          if (!full && flags != variant * 7 % 16) continue;
          int n = static_cast<int>(all.size());
          WizardSettings s;
          s.cbFileMenu = file;
          s.cbEditMenu = menus & 2;
          s.cbWindowMenu = menus & 4;
          s.cbHelpMenu = menus & 8;
          s.cbMRU = recent >= 1;
          s.cbMRUReg = recent == 2;
          s.cbStatusLine = flags & 1;
          s.cbHints = flags & 2;
          s.SingleInstanceApp = s.siDDE = flags & 4;
          s.cbMDIApp = s.cbMDIform = flags & 8;
          s.AppName = n % 4 == 3 ? kLongName : "Editor";
          if (file) s.ExtListBox = kExtensionLists[n % kExtensionLists.size()];
          if (bar) s.Speedbar = FullSpeedbar(s);
          std::string label =
              "menus=" + std::to_string(menus) + " recent=" + std::to_string(recent) +
              " flags=" + std::to_string(flags) + " speedbar=" + std::to_string(bar) +
              " name=" + s.AppName + " types=" + std::to_string(s.ExtListBox.size());
          all.push_back({std::move(s), std::move(label)});
        }
      }
    }
  }
  return all;
}

int RunFpc(const std::string& fpcConvert, const std::string& text, const std::string& binary) {
  pid_t pid = fork();
  if (pid == 0) {
    execl(fpcConvert.c_str(), fpcConvert.c_str(), text.c_str(), binary.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Hex(const std::string& bytes, std::size_t from, std::size_t n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = from; i < bytes.size() && i < from + n; ++i) {
    out += digits[static_cast<unsigned char>(bytes[i]) >> 4];
    out += digits[static_cast<unsigned char>(bytes[i]) & 15];
    out += ' ';
  }
  return out;
}

bool IsText(const std::string& path) {
  return path.size() > 4 && path.ends_with(".TXT");
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--full")
      o.full = true;
    else if (o.fpcConvert.empty())
      o.fpcConvert = arg;
    else
      o.work = arg;
  }
  if (o.fpcConvert.empty() || o.work.empty()) {
    std::cerr << "usage: forms_vs_fpc FPC_CONVERT WORKDIR [--full]\n";
    return 2;
  }
  if (o.full) {
    const char* env = std::getenv("ORVALEN_FULL_MATRIX");
    if (!env || std::string(env) != "1") {
      std::cout << "the full matrix runs with ORVALEN_FULL_MATRIX=1\n";
      return kSkipped;
    }
  }

  auto start = std::chrono::steady_clock::now();
  fs::remove_all(o.work);
  fs::create_directories(o.work + "/app");
  fs::create_directories(o.work + "/forms");

  std::unordered_map<std::string, std::string> converted;  // text -> our binary form file
  auto combinations = Matrix(o.full);
  int failures = 0;
  std::size_t compared = 0, bytes = 0;
  for (auto& [settings, label] : combinations) {
    settings.AppPath = o.work + "/app";
    orvalen::GenerationResult result;
    try {
      result = orvalen::GenerateApplication(settings);
    } catch (const std::exception& e) {
      std::cerr << label << ": generation failed: " << e.what() << "\n";
      ++failures;
      continue;
    }
    for (std::size_t i = 0; i + 1 < result.files.size(); ++i) {
      if (!IsText(result.files[i])) continue;
      const std::string& dfm = result.files[i + 1];
      std::string text = orvalen::platform::ReadFileBytes(result.files[i]);
      std::string ours = orvalen::platform::ReadFileBytes(dfm);
      std::string name = fs::path(dfm).filename().string();
      auto seen = converted.find(text);
      if (seen != converted.end()) {
        if (seen->second != ours) {
          std::cerr << label << ": " << name
                    << " differs from an earlier conversion of the same text\n";
          ++failures;
        }
        continue;
      }
      converted.emplace(text, ours);
      std::string stem = o.work + "/forms/" + std::to_string(compared++);
      orvalen::platform::FileStream(stem + ".txt").Write(text);
      if (int rc = RunFpc(o.fpcConvert, stem + ".txt", stem + ".fpc.dfm"); rc != 0) {
        std::cerr << label << ": Free Pascal does not convert " << name << " (" << stem
                  << ".txt, exit " << rc << ")\n";
        ++failures;
        continue;
      }
      std::string theirs = orvalen::platform::ReadFileBytes(stem + ".fpc.dfm");
      bytes += ours.size();
      if (theirs == ours) continue;
      std::size_t at = 0;
      while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at]) ++at;
      orvalen::platform::FileStream(stem + ".ours.dfm").Write(ours);
      std::cerr << label << ": " << name << " differs from Free Pascal's at byte " << at << " ("
                << stem << ".txt)\n  ours (" << ours.size() << " bytes): " << Hex(ours, at, 16)
                << "\n  Free Pascal (" << theirs.size() << " bytes): " << Hex(theirs, at, 16)
                << "\n";
      if (++failures >= 20) break;
    }
    if (failures >= 20) break;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << (o.full ? "full" : "quick") << " matrix: " << combinations.size()
            << " combinations, " << compared << " distinct form texts (" << bytes
            << " bytes of binary form files) compared with Free Pascal in " << seconds << " s, "
            << failures << " failures\n";
  if (failures == 0) fs::remove_all(o.work);
  return failures == 0 ? 0 : 1;
}
