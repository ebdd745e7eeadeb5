// libFuzzer target of the version information reader: any bytes in, read as
// an ELF file image and as a version block (tests/platform/version_info_walk.h).
// A crash, a sanitizer report or a broken promise of the reader is a finding.
// Built and run by scripts/fuzz.sh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/platform/version_info_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem = orvalen::testing::VersionInfoProblem({data, size});
  if (!problem.empty()) {
    std::fprintf(stderr, "version info: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
