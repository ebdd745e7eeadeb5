// orvalen-gen --convert: a form description from text form to a binary form file.
#pragma once

#include <string>

namespace orvalen {

// Converts TEXTFORM into BINFORM; returns the process exit status and reports
// failures on standard error.
int RunFormConvertCommand(const std::string& textForm, const std::string& binForm);

}  // namespace orvalen
