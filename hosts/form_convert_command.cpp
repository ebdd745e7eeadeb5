#include "hosts/form_convert_command.h"

#include <exception>
#include <filesystem>
#include <iostream>

#include "platform/errors.h"
#include "platform/streams.h"
#include "units/form_conversion.h"

namespace orvalen {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Creating the binary file replaces it, so converting a file onto itself
// would destroy the text before a parse error could leave it untouched.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

int RunFormConvertCommand(const std::string& textForm, const std::string& binForm) {
  if (SameFile(textForm, binForm)) {
    std::cerr << "orvalen-gen: TEXTFORM and BINFORM are the same file: " << binForm << "\n";
    return kExitUsage;
  }
  try {
    std::string text = platform::ReadRegularFile(textForm, platform::kMaxFormTextSize);
    // Created before the conversion, as the run does, so a text that does not
    // parse leaves an empty binary file behind rather than a stale one.
    platform::FileStream out(binForm);
    try {
      ObjectTextToResource(text, out);
    } catch (const EParserError&) {
      out.Close();
      throw;
    }
    out.Close();
  } catch (const std::exception& e) {
    std::cerr << "orvalen-gen: " << e.what() << "\n";
    return kExitFailed;
  }
  std::cout << binForm << "\n";
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailed;
}

}  // namespace orvalen
