// The form text conversion: a form description in text form in, a binary
// form file (16-bit resource header + "TPF0" form stream) out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/streams.h"

namespace orvalen {

// A text form that does not parse: "<reason> on line <n>".
class EParserError : public Error {
 public:
  EParserError(const std::string& reason, int line);
  const std::string& Reason() const { return reason_; }
  int Line() const { return line_; }

 private:
  std::string reason_;
  int line_;
};

// Converts the whole text and returns the binary form file's bytes. Nothing
// is produced when the text does not parse (EParserError).
std::vector<std::uint8_t> ObjectTextToResource(std::string_view text);

// The same, written to `out` only once the whole text converted.
void ObjectTextToResource(std::string_view text, platform::OutputStream& out);

}  // namespace orvalen
