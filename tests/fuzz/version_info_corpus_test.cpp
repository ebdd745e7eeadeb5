// Every input the version information fuzzer kept goes through the reader
// again, as a file image and as a block; under the sanitizer build these are
// the fuzzer's findings as regression tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/platform/version_info_walk.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

TEST(VersionInfoFuzzInputs, KeptCorpusReadsCleanly) {
  int inputs = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(ORVALEN_SOURCE_DIR "/tests/fuzz/version_info")) {
    std::string bytes = testing::ReadFile(entry.path().string());
    // Exactly as large as the file, so that a read past it is a read past the allocation.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    EXPECT_EQ(testing::VersionInfoProblem(input), "") << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace orvalen
