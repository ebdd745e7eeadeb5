// Small helpers shared by the tests: temporary directories, file reading,
// visible line ends in failure messages.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace orvalen::testing {

// A fresh directory under the system's temporary directory, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("orvalen-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string Str() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Puts every file of a fuzzer's corpus directory through `problem`, which
// says what is wrong with an input ("" for nothing); returns how many there were.
template <typename Problem>
int CheckEveryInput(const std::string& dir, Problem problem) {
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    EXPECT_EQ(problem(ReadFile(entry.path().string())), "") << entry.path();
    ++inputs;
  }
  return inputs;
}

// "\r\n" shown as "\\r\\n" so that a line-end difference is visible in a diff.
inline std::string Visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n\n";
    else
      out += c;
  }
  return out;
}

// A text quoted for the shell.
inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct RunResult {
  int status;       // the exit status, -1 when the program did not exit normally
  std::string out;  // standard output (with standard error unless errFile is given)
};

// Runs orvalen-gen with `args` (already quoted where needed), as a script
// would. Standard error joins standard output unless `errFile` names a file for
// it. `asOtherUser` runs it as the unprivileged user "nobody" when the tests run
// as root, who may read and write anything: a check of file permissions then
// still means something.
inline RunResult RunOrvalenGen(const std::string& args, const std::string& errFile = {},
                               bool asOtherUser = false) {
  const char* gen = std::getenv("ORVALEN_GEN");
  std::string exe = gen ? gen : ORVALEN_BINARY_DIR "/hosts/orvalen-gen";
  std::string prefix =
      asOtherUser && geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  std::string cmd =
      prefix + Quote(exe) + " " + args + (errFile.empty() ? " 2>&1" : " 2>" + Quote(errFile));
  RunResult r{-1, {}};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int status = pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace orvalen::testing
