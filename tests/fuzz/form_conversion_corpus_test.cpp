// Every input the form conversion fuzzer kept, and every input that once
// crashed it, goes through the converter again: each must convert and read
// back to the same bytes, or fail with a parse error naming a line of the
// text. Under the sanitizer build these are the fuzzer's findings as
// regression tests.
#include <gtest/gtest.h>

#include <string>

#include "tests/test_support.h"
#include "tests/units/form_binary_text.h"

namespace orvalen {
namespace {

int CheckEveryInput(const std::string& dir) {
  return testing::CheckEveryInput(dir, testing::ConversionProblem);
}

TEST(FormConversionFuzzInputs, KeptCorpusConvertsOrFailsCleanly) {
  EXPECT_GT(CheckEveryInput(ORVALEN_SOURCE_DIR "/tests/fuzz/form_conversion"), 0);
}

TEST(FormConversionFuzzInputs, FormerCrashesConvertOrFailCleanly) {
  EXPECT_GT(CheckEveryInput(ORVALEN_SOURCE_DIR "/tests/fuzz/form_conversion_crashes"), 0);
}

}  // namespace
}  // namespace orvalen
