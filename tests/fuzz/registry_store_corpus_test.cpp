// Every input the registry store fuzzer kept goes through the store's reader
// again: each must be rejected naming a line, or read, write and read back as
// the same store. Under the sanitizer build these are the fuzzer's findings
// as regression tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform/registry_store_roundtrip.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

TEST(RegistryStoreFuzzInputs, KeptCorpusReadsBackOrIsRejectedCleanly) {
  int inputs = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(ORVALEN_SOURCE_DIR "/tests/fuzz/registry_store")) {
    std::string text = testing::ReadFile(entry.path().string());
    EXPECT_EQ(testing::StoreRoundTripProblem(text), "") << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace orvalen
