// orvalen-gen pointed at the wrong file: a directory, a pipe, a device or a
// file larger than the reader's limit. Each is refused before reading with
// one line naming the file, the usual exit status and nothing written, and
// the program's peak memory stays small while it refuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

using testing::TempDir;

struct Measured {
  int status = -1;
  std::string err;
  long peakKiB = -1;
};

// Runs orvalen-gen with `args`, standard error to a file; the peak resident
// memory is the child's own, from wait4.
Measured RunMeasured(const TempDir& dir, std::vector<std::string> args) {
  const char* gen = std::getenv("ORVALEN_GEN");
  std::string exe = gen ? gen : ORVALEN_BINARY_DIR "/hosts/orvalen-gen";
  std::string errFile = dir.File("stderr.log");
  args.insert(args.begin(), exe);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t child = fork();
  if (child == 0) {
    int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int null = ::open("/dev/null", O_RDWR);
    if (err < 0 || null < 0) _exit(127);
    dup2(null, 0);
    dup2(null, 1);
    dup2(err, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  Measured m;
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return m;
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  m.err = testing::ReadFile(errFile);
  m.peakKiB = usage.ru_maxrss;
  return m;
}

// A sparse file of `size` bytes: large to the reader, nothing on the disk.
std::string SparseFile(const TempDir& dir, const std::string& name, std::uint64_t size) {
  std::string path = dir.File(name);
  testing::WriteFile(path, "");
  std::filesystem::resize_file(path, size);
  return path;
}

TEST(BoundedInputs, WrongFilesAreRefusedBeforeReadingWithSmallMemory) {
  TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string bigAnswers = SparseFile(dir, "big.json", platform::kMaxAnswersFileSize + 1);
  const std::string bigForm = SparseFile(dir, "big.txt", platform::kMaxFormTextSize + 1);
  const std::string out = dir.File("out"), bin = dir.File("out/MAIN.DFM");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{"--answers", "/dev/urandom", out}, 2, "/dev/urandom: not a regular file (a device)"},
      {{"--answers", "/dev/zero", out}, 2, "/dev/zero: not a regular file (a device)"},
      {{"--answers", fifo, out}, 2, fifo + ": not a regular file (a pipe)"},
      {{"--answers", dir.Path().string(), out},
       2,
       dir.Path().string() + ": not a regular file (a directory)"},
      {{"--answers", bigAnswers, out}, 2, bigAnswers + ": larger than 1 MiB"},
      {{"--answers", dir.File("none.json"), out},
       2,
       dir.File("none.json") + ": cannot be read: No such file or directory"},
      {{"--convert", "/dev/zero", bin}, 1, "/dev/zero: not a regular file (a device)"},
      {{"--convert", fifo, bin}, 1, fifo + ": not a regular file (a pipe)"},
      {{"--convert", dir.Path().string(), bin},
       1,
       dir.Path().string() + ": not a regular file (a directory)"},
      {{"--convert", bigForm, bin}, 1, bigForm + ": larger than 64 MiB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    Measured m = RunMeasured(dir, c.args);
    EXPECT_EQ(m.status, c.status);
    EXPECT_EQ(m.err, "orvalen-gen: " + c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    // Well under a reader that took the input whole (the big form alone is
    // 64 MiB), with room for a sanitizer build's own memory.
    EXPECT_GT(m.peakKiB, 0);
    EXPECT_LT(m.peakKiB, 48 * 1024);
  }
}

}  // namespace
}  // namespace orvalen
