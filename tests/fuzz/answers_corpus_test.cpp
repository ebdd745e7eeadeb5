// Every input the answer-file fuzzer kept, and every input that once made it
// fail, goes through the reader again: each must be refused naming the file,
// or read, write and read back as the same settings. Under the sanitizer
// build these are the fuzzer's findings as regression tests.
#include <gtest/gtest.h>

#include <string>

#include "tests/generator/answers_roundtrip.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

int CheckEveryInput(const std::string& dir) {
  return testing::CheckEveryInput(dir, testing::AnswersRoundTripProblem);
}

TEST(AnswersFuzzInputs, KeptCorpusReadsBackOrIsRefusedCleanly) {
  EXPECT_GT(CheckEveryInput(ORVALEN_SOURCE_DIR "/tests/fuzz/answers"), 0);
}

TEST(AnswersFuzzInputs, FormerFindingsReadBackOrAreRefusedCleanly) {
  EXPECT_GT(CheckEveryInput(ORVALEN_SOURCE_DIR "/tests/fuzz/answers_crashes"), 0);
}

}  // namespace
}  // namespace orvalen
