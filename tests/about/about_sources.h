// The about box's sources for the tests: no machine, the user "ada", the
// title "Orvalen Test", and the program file given.
#pragma once

#include <optional>
#include <string>

#include "about/about_content.h"

namespace orvalen::testing {

inline about::AboutSources AboutTestSources(const std::string& programFile) {
  about::AboutSources s;
  s.machine = platform::LocalMachineView("/nonexistent-orvalen-root");
  s.userName = [] { return std::optional<std::string>("ada"); };
  s.applicationTitle = "Orvalen Test";
  s.programFile = programFile;
  return s;
}

}  // namespace orvalen::testing
