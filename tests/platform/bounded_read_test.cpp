// The bounded reading every reader of a file goes through: what it refuses
// before reading, with which line, and what it reads whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/streams.h"
#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

using orvalen::testing::TempDir;
using orvalen::testing::WriteFile;

TEST(ReadRegularFile, RefusesWhatIsNoFileOrTooLargeAndReadsTheRest) {
  TempDir dir;
  const std::string fifo = dir.File("pipe"), small = dir.File("small"), big = dir.File("big");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteFile(small, "12345678");
  WriteFile(big, "");
  std::filesystem::resize_file(big, std::uint64_t{1} << 40);  // sparse: 1 TiB to the reader
  const struct {
    std::string path;
    std::uint64_t limit;
    std::string result;  // the text read, or the refusal
  } cases[] = {
      {small, 8, "12345678"},
      {small, 7, small + ": larger than 7 bytes"},
      {small, 0, small + ": larger than 0 bytes"},
      {big, kMaxFormTextSize, big + ": larger than 64 MiB"},
      {fifo, 1024, fifo + ": not a regular file (a pipe)"},
      {"/dev/zero", 1024, "/dev/zero: not a regular file (a device)"},
      {dir.Path().string(), 1024, dir.Path().string() + ": not a regular file (a directory)"},
      {dir.File("none"), 1024, dir.File("none") + ": cannot be read: No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " at most " + std::to_string(c.limit));
    std::string got;
    try {
      got = ReadRegularFile(c.path, c.limit);
    } catch (const EFileRefused& e) {
      got = e.what();
    }
    EXPECT_EQ(got, c.result);
  }
}

TEST(ReadRegularFile, LimitsAreSaidInTheirLargestWholeUnit) {
  EXPECT_EQ(SizeText(kMaxAnswersFileSize), "1 MiB");
  EXPECT_EQ(SizeText(kMaxFormTextSize), "64 MiB");
  EXPECT_EQ(SizeText(1536 * 1024), "1536 KiB");
  EXPECT_EQ(SizeText(1025), "1025 bytes");
  EXPECT_EQ(SizeText(1), "1 byte");
}

}  // namespace
}  // namespace orvalen::platform
