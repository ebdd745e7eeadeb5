// Path forming for the generated files.
#pragma once

#include <string>
#include <string_view>

namespace orvalen::platform {

// The platform's directory separator.
inline constexpr char kPathDelim = '/';

// The target directory: the text with one separator appended unless it is
// empty or already ends in one.
std::string TargetDirectory(std::string_view appPath);

// `fileName` made absolute against the current directory.
std::string ExpandFileName(const std::string& fileName);

}  // namespace orvalen::platform
