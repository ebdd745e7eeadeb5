// libFuzzer target of the registry store's reader: any bytes in; either a
// clean rejection naming a line, or a store that the writer writes and the
// reader reads back as the same store. Anything else (a crash, a sanitizer
// report, an exception) is a finding. Built and run by scripts/fuzz.sh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/platform/registry_store_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string problem = orvalen::testing::StoreRoundTripProblem(text);
  if (!problem.empty()) {
    std::fprintf(stderr, "registry store: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
