// Generates the application for every combination of the wizard's options
// (or a quick subset of them) and compiles each distinct project with Free
// Pascal in Delphi mode against the stand-in units beside this file. A
// combination fails when the compiler exits with a non-zero status or prints
// any "Error:" or "Fatal:" line.
//
// Free Pascal insists on the resource files that "{$R *.RES}" and
// "{$R *.DFM}" name even when it does not link, and it reads only 32-bit
// resource files. The project resource is made by the IDE when it first
// opens the project, so an empty resource file stands in for it; each binary
// form file the run wrote is converted into the 32-bit resource the Delphi
// linker makes of it (RCDATA named by the form's class, the same stream), so
// a missing or malformed form file still fails the compile. Nothing is linked:
// the stand-in units declare the surface, they do not implement it.
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "generator/command_table.h"
#include "run/generation_run.h"
#include "generator/wizard_settings.h"

namespace fs = std::filesystem;

namespace {

using orvalen::WizardSettings;

constexpr int kSkipped = 77;  // CTest's SKIP_RETURN_CODE for the full matrix when not asked for

struct Options {
  std::string fpc = "fpc";
  fs::path rtl;
  fs::path stubs;
  fs::path work;
  bool full = false;
  int jobs = 2;
};

// One point of the option matrix.
struct Combination {
  unsigned menus = 0;  // bit m: menu m chosen
  bool recent = false, registry = false, status = false, hints = false;
  bool single = false, mdi = false, speedbar = false;
  std::string name = "Matrix";
};

std::string Describe(const Combination& c) {
  static const char* const kMenus[] = {"file", "edit", "window", "help"};
  std::string d = "menus=";
  bool any = false;
  for (int m = 0; m < orvalen::kMenuCount; ++m)
    if (c.menus & (1u << m)) d += std::string(any ? "," : "") + kMenus[m], any = true;
  if (!any) d += "none";
  auto flag = [&d](bool on, const char* word) {
    if (on) d += std::string(" ") + word;
  };
  flag(c.recent, "recent");
  flag(c.registry, "registry");
  flag(c.status, "status-line");
  flag(c.hints, "hints");
  flag(c.single, "single-instance");
  flag(c.mdi, "mdi");
  d += c.speedbar ? " speedbar=full" : " speedbar=empty";
  if (c.name != "Matrix") d += " name=" + c.name;
  return d;
}

// The full speedbar: a space, then each chosen menu's commands followed by a space.
WizardSettings SettingsOf(const Combination& c, const fs::path& dir) {
  WizardSettings s;
  s.cbFileMenu = c.menus & 1u;
  s.cbEditMenu = c.menus & 2u;
  s.cbWindowMenu = c.menus & 4u;
  s.cbHelpMenu = c.menus & 8u;
  s.cbMRU = c.recent;
  s.cbMRUReg = c.registry;
  s.cbStatusLine = c.status;
  s.cbHints = c.hints;
  s.SingleInstanceApp = c.single;
  s.cbMDIApp = c.mdi;
  s.AppName = c.name;
  s.AppPath = dir.string();
  if (s.cbFileMenu) s.ExtListBox = {"Text files (*.txt)|*.txt", "All files (*.*)|*.*"};
  if (c.speedbar) {
    s.Speedbar.push_back(orvalen::kSpeedbarSpace);
    for (int m = 0; m < orvalen::kMenuCount; ++m) {
      if (!(c.menus & (1u << m))) continue;
      for (int k = 0; k < orvalen::MenuCount[m]; ++k)
        s.Speedbar.push_back(orvalen::kGlyphId + orvalen::MenuFirst[m] + k);
      s.Speedbar.push_back(orvalen::kSpeedbarSpace);
    }
  }
  return s;
}

std::vector<Combination> FullMatrix() {
  std::vector<Combination> all;
  for (unsigned bits = 0; bits < (1u << 11); ++bits) {
    Combination c;
    c.menus = bits & 15u;
    c.recent = bits & 16u;
    c.registry = bits & 32u;
    c.status = bits & 64u;
    c.hints = bits & 128u;
    c.single = bits & 256u;
    c.mdi = bits & 512u;
    c.speedbar = bits & 1024u;
    all.push_back(c);
  }
  return all;
}

// The everyday subset: each menu alone and none, the recent list with and
// without the registry, the hint line meeting the registry list, the window
// menu with and without the File menu, the longest name the run accepts.
std::vector<Combination> QuickMatrix() {
  auto make = [](unsigned menus, bool recent, bool registry, bool status, bool hints, bool single,
                 bool mdi, bool speedbar) {
    Combination c;
    c.menus = menus;
    c.recent = recent;
    c.registry = registry;
    c.status = status;
    c.hints = hints;
    c.single = single;
    c.mdi = mdi;
    c.speedbar = speedbar;
    return c;
  };
  std::vector<Combination> quick = {
      make(0, false, false, false, false, false, true, false),
      make(0, true, true, true, true, true, false, true),
      make(1, false, false, true, true, false, true, true),
      make(1, false, false, false, false, false, false, false),
      make(1, true, false, true, false, false, true, true),
      make(1, true, true, true, true, true, true, true),
      make(1, true, true, false, true, false, false, false),
      make(2, true, true, true, true, false, true, true),
      make(4, false, false, true, true, false, true, true),
      make(8, false, false, false, true, true, true, true),
      make(14, false, false, true, true, false, true, true),
      make(5, true, false, true, true, false, true, true),
      make(15, true, true, true, true, true, true, true),
      make(15, false, false, false, false, false, false, false),
  };
  Combination longName = make(15, true, true, true, true, true, true, true);
  longName.name = "L" + std::string(60, 'x');
  quick.push_back(longName);
  return quick;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The program file and the units, in name order: what the compiler reads.
std::string SourceKey(const fs::path& dir) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string ext = entry.path().extension().string();
    if (ext == ".DPR" || ext == ".PAS") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::string key;
  for (const auto& f : files) key += f.filename().string() + '\0' + ReadAll(f) + '\0';
  return key;
}

void PutLE(std::string& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PadTo4(std::string& out) {
  while (out.size() % 4) out += '\0';
}

// A 32-bit resource file holding nothing but the leading empty entry.
std::string EmptyResourceFile() {
  std::string res;
  PutLE(res, 0, 4);   // data size
  PutLE(res, 32, 4);  // header size
  PutLE(res, 0xFFFF, 2);
  PutLE(res, 0, 2);  // type 0
  PutLE(res, 0xFFFF, 2);
  PutLE(res, 0, 2);  // name 0
  res.append(16, '\0');
  return res;
}

// A binary form file is a 16-bit resource: FF, type 10, the name, 0, memory
// flags and the stream's length, then the stream. The 32-bit resource file
// carries the same stream under the same type, name and flags.
std::string FormResourceFile(const std::string& dfm, const std::string& what) {
  auto bad = [&what](const std::string& why) {
    return std::runtime_error(what + " is no binary form file: " + why);
  };
  if (dfm.size() < 10 || static_cast<unsigned char>(dfm[0]) != 0xFF || dfm[1] != 10 || dfm[2] != 0)
    throw bad("no resource header");
  std::size_t end = dfm.find('\0', 3);
  if (end == std::string::npos || end + 7 > dfm.size()) throw bad("header cut short");
  std::string name = dfm.substr(3, end - 3);
  auto byte = [&dfm](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(dfm[i]));
  };
  unsigned flags = byte(end + 1) | byte(end + 2) << 8;
  unsigned size = byte(end + 3) | byte(end + 4) << 8 | byte(end + 5) << 16 | byte(end + 6) << 24;
  std::string stream = dfm.substr(end + 7);
  if (stream.size() != size) throw bad("stream length does not match its header");
  if (stream.compare(0, 4, "TPF0") != 0) throw bad("stream does not start with TPF0");

  std::string header;
  PutLE(header, 0xFFFF, 2);
  PutLE(header, 10, 2);  // RT_RCDATA
  for (char c : name) PutLE(header, static_cast<unsigned char>(c), 2);
  PutLE(header, 0, 2);
  PadTo4(header);
  PutLE(header, 0, 4);  // data version
  PutLE(header, flags, 2);
  PutLE(header, 0, 2);  // language
  PutLE(header, 0, 4);  // version
  PutLE(header, 0, 4);  // characteristics

  std::string res = EmptyResourceFile();
  PutLE(res, size, 4);
  PutLE(res, static_cast<unsigned>(header.size() + 8), 4);
  res += header;
  res += stream;
  PadTo4(res);
  return res;
}

// Gives the compiler the resource files the sources name.
void PrepareResources(const fs::path& dir, const std::string& appName) {
  WriteAll(dir / (appName + ".RES"), EmptyResourceFile());
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".DFM")
      WriteAll(entry.path(), FormResourceFile(ReadAll(entry.path()), entry.path().string()));
}

struct RunOutput {
  int status = -1;
  std::string text;
};

RunOutput Run(const std::string& command) {
  RunOutput r;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    r.text.append(buffer.data(), n);
  int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

bool HasErrorLine(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line))
    if (line.find("Error:") != std::string::npos || line.find("Fatal:") != std::string::npos)
      return true;
  return false;
}

std::string FpcCommand(const Options& o, const fs::path& unitsOut) {
  return Quote(o.fpc) + " -n -Mdelphi -ve -Cn -Fu" + Quote(o.rtl.string()) + " -Fu" +
         Quote(unitsOut.string());
}

// The stand-in units, compiled once for every project: a program that uses
// them all brings each one in.
void CompileStubs(const Options& o, const fs::path& ppu) {
  fs::create_directories(ppu);
  std::vector<std::string> units;
  for (const auto& entry : fs::directory_iterator(o.stubs))
    if (entry.path().extension() == ".pas") units.push_back(entry.path().stem().string());
  std::sort(units.begin(), units.end());
  std::string program = "program StubUnits;\nuses\n";
  for (std::size_t i = 0; i < units.size(); ++i)
    program += "  " + units[i] + (i + 1 < units.size() ? ",\n" : ";\n");
  program += "begin\nend.\n";
  const fs::path source = ppu / "stubunits.dpr";
  WriteAll(source, program);
  // Run where the compiler may leave its linker script.
  RunOutput r =
      Run("cd " + Quote(ppu.string()) + " && " + FpcCommand(o, ppu) + " -Fu" +
          Quote(o.stubs.string()) + " -FU" + Quote(ppu.string()) + " " + Quote(source.string()));
  if (r.status != 0 || HasErrorLine(r.text))
    throw std::runtime_error("the stand-in units do not compile:\n" + r.text);
}

struct Project {
  fs::path dir;
  std::string appName;
  std::string description;
  int combinations = 1;
};

int RunMatrix(const Options& o) {
  auto start = std::chrono::steady_clock::now();
  fs::remove_all(o.work);
  fs::create_directories(o.work);
  const fs::path ppu = o.work / "stubs";
  CompileStubs(o, ppu);

  std::vector<Combination> combinations = o.full ? FullMatrix() : QuickMatrix();
  std::unordered_set<std::string> seen;
  std::vector<Project> projects;
  const fs::path scratch = o.work / "scratch";
  for (const auto& c : combinations) {
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    try {
      orvalen::GenerateApplication(SettingsOf(c, scratch));
    } catch (const std::exception& e) {
      std::cerr << "FAILED to generate " << Describe(c) << ": " << e.what() << "\n";
      return 1;
    }
    if (!seen.insert(SourceKey(scratch)).second) continue;
    Project p{o.work / ("p" + std::to_string(projects.size())), c.name, Describe(c)};
    fs::rename(scratch, p.dir);
    projects.push_back(p);
  }
  fs::remove_all(scratch);

  std::atomic<std::size_t> next{0};
  std::atomic<int> failed{0};
  std::mutex report;
  auto worker = [&] {
    for (std::size_t i; (i = next++) < projects.size();) {
      const Project& p = projects[i];
      RunOutput r;
      try {
        PrepareResources(p.dir, p.appName);
        r = Run("cd " + Quote(p.dir.string()) + " && " + FpcCommand(o, ppu) + " " +
                Quote(p.appName + ".DPR"));
      } catch (const std::exception& e) {
        r.text = e.what();
      }
      std::lock_guard<std::mutex> lock(report);
      if (r.status != 0 || HasErrorLine(r.text)) {
        ++failed;
        std::cerr << "FAILED " << p.description << " (in " << p.dir.string() << ", exit "
                  << r.status << ")\n"
                  << r.text << "\n";
      } else {
        fs::remove_all(p.dir);
      }
    }
  };
  std::vector<std::thread> pool;
  for (int j = 0; j < std::max(1, o.jobs); ++j) pool.emplace_back(worker);
  for (auto& t : pool) t.join();

  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << "pascal matrix (" << (o.full ? "full" : "quick") << "): " << combinations.size()
            << " combinations, " << projects.size() << " distinct projects compiled, " << failed
            << " failed, " << seconds << " s\n";
  if (failed == 0) fs::remove_all(o.work);
  return failed == 0 ? 0 : 1;
}

Options ParseArgs(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(a + " needs a value");
      return argv[++i];
    };
    if (a == "--fpc")
      o.fpc = value();
    else if (a == "--rtl")
      o.rtl = value();
    else if (a == "--stubs")
      o.stubs = value();
    else if (a == "--work")
      o.work = value();
    else if (a == "--jobs")
      o.jobs = std::stoi(value());
    else if (a == "--full")
      o.full = true;
    else
      throw std::runtime_error("unknown argument " + a);
  }
  if (o.rtl.empty() || o.stubs.empty() || o.work.empty())
    throw std::runtime_error(
        "usage: pascal_matrix --rtl DIR --stubs DIR --work DIR [--fpc PATH] "
        "[--jobs N] [--full]");
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options o = ParseArgs(argc, argv);
    if (o.full) {
      const char* wanted = std::getenv("ORVALEN_FULL_MATRIX");
      if (!wanted || std::string(wanted) != "1") {
        std::cout << "the full matrix runs with ORVALEN_FULL_MATRIX=1\n";
        return kSkipped;
      }
    }
    return RunMatrix(o);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
