// libFuzzer target of the answer-file reader: any bytes in; either a refusal
// naming the file, or settings that the writer writes and the reader reads
// back as the same settings. Anything else (a crash, a sanitizer report,
// another exception) is a finding. Built and run by scripts/fuzz.sh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/generator/answers_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string problem = orvalen::testing::AnswersRoundTripProblem(text);
  if (!problem.empty()) {
    std::fprintf(stderr, "answers: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
