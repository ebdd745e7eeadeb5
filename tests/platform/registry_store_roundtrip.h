// The store format's round trip, shared by the fuzzer and the test of its kept
// inputs: any text either is rejected with the line at fault, or parses to a
// tree that the writer writes as a text that parses to the same tree and is
// written again byte for byte the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_store_format.h"

namespace orvalen::testing {

// What went wrong, or "" when the text behaves.
inline std::string StoreRoundTripProblem(std::string_view text) {
  using namespace orvalen::platform;
  std::string problem;
  std::optional<RegistryKey> root = ParseRegistryStore(text, &problem);
  if (!root)
    return problem.rfind("line ", 0) == 0 ? "" : "rejected without naming a line: " + problem;
  std::string written = SerializeRegistryStore(*root);
  std::optional<RegistryKey> again = ParseRegistryStore(written, &problem);
  if (!again) return "the written store does not parse: " + problem;
  if (!(*again == *root)) return "the written store reads back different";
  if (SerializeRegistryStore(*again) != written) return "writing it again gives another text";
  return {};
}

}  // namespace orvalen::testing
