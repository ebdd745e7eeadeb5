// Replacing a file through a flushed temporary file: the new bytes on
// success; on every failure before the rename the old file as it was, no
// temporary file left, and the reason the failing call gave.
#include "platform/file_replace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

namespace fs = std::filesystem;
using orvalen::testing::ReadFile;
using orvalen::testing::TempDir;
using orvalen::testing::WriteFile;

std::size_t Entries(const fs::path& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

TEST(ReplaceFile, TheNewBytesReplaceTheFileAndTheFileReturnedHoldsThem) {
  TempDir dir;
  const std::string path = dir.File("a");
  WriteFile(path, "old and longer");
  WriteFile(path + ".tmp" + std::to_string(::getpid()), "left by a killed run");
  UniqueFd fd = ReplaceFile(path, "new");
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(Entries(dir.Path()), 1u) << "the temporary file is gone";
  char back[8] = {};
  ASSERT_EQ(::pread(fd.Get(), back, sizeof back, 0), 3);
  EXPECT_STREQ(back, "new");
}

TEST(ReplaceFile, AFailureBeforeTheRenameLeavesTheOldFileAndNamesItsCause) {
  TempDir dir;
  WriteFile(dir.File("file"), "a file where a directory should be");
  fs::create_directories(dir.File("target/inside"));
  const struct {
    const char* what;
    std::string path;
    int error;
    const char* step;
  } cases[] = {
      {"the directory is a file", dir.File("file/a"), ENOTDIR, "cannot create "},
      {"the directory is missing", dir.File("missing/a"), ENOENT, "cannot create "},
      {"a directory in the target's place", dir.File("target"), EISDIR, "cannot rename "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      ReplaceFile(c.path, "new");
      ADD_FAILURE() << "replaced";
    } catch (const EReplaceFileError& e) {
      EXPECT_EQ(e.Errno(), c.error) << e.what();
      EXPECT_EQ(e.Step().rfind(c.step, 0), 0u) << e.Step();
      EXPECT_EQ(std::string(e.what()), e.Step() + ": " + std::strerror(c.error));
    }
  }
  EXPECT_EQ(ReadFile(dir.File("file")), "a file where a directory should be");
  EXPECT_TRUE(fs::is_directory(dir.File("target/inside")));
  EXPECT_EQ(Entries(dir.Path()), 2u) << "no temporary file stays";
}

TEST(ReplaceFile, WhatTheLastStepBeforeTheRenameRaisesEndsItLikeAFailingStep) {
  TempDir dir;
  const std::string path = dir.File("a");
  WriteFile(path, "old");
  ReplaceFileOptions options;
  options.temporary = path + ".tmp";
  bool flushed = false;
  options.beforeRename = [&] {
    flushed = ReadFile(options.temporary) == "new";
    throw Error("kept nothing aside");
  };
  EXPECT_THROW(ReplaceFile(path, "new", options), Error);
  EXPECT_TRUE(flushed) << "the new bytes were complete before the last step";
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_FALSE(fs::exists(options.temporary));
}

}  // namespace
}  // namespace orvalen::platform
