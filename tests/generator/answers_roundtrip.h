// The answer files' round trip, shared by the fuzzer and the test of its kept
// inputs: any bytes either are refused with a message that names the file, or
// read as settings that the writer writes as a file that reads back as the
// same settings and is written again byte for byte the same.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "generator/answers.h"

namespace orvalen::testing {

// What went wrong, or "" when the text behaves.
inline std::string AnswersRoundTripProblem(std::string_view text) {
  const std::string source = "in.json";
  WizardSettings settings;
  try {
    settings = ReadAnswers(text, source);
  } catch (const EAnswersError& e) {
    return std::string(e.what()).rfind(source + ": ", 0) == 0
               ? ""
               : "refused without naming the file: " + std::string(e.what());
  } catch (const std::exception& e) {
    return std::string("refused with another exception: ") + e.what();
  }
  try {
    std::string written = WriteAnswers(settings, true);
    WizardSettings again = ReadAnswers(written, source);
    if (!(again == settings)) return "the written file reads back different";
    if (WriteAnswers(again, true) != written) return "writing it again gives another text";
  } catch (const std::exception& e) {
    return std::string("settings it read do not round trip: ") + e.what();
  }
  return {};
}

}  // namespace orvalen::testing
