// libFuzzer target of the form text conversion: any bytes in; either a binary
// form file that reads back to the same bytes, or a parse error with a line
// of the text. Anything else (a crash, a sanitizer report, another exception)
// is a finding. Built and run by scripts/fuzz.sh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/units/form_binary_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string problem = orvalen::testing::ConversionProblem(text);
  if (!problem.empty()) {
    std::fprintf(stderr, "form conversion: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
