#include "platform/paths.h"

#include <filesystem>

namespace orvalen::platform {

std::string TargetDirectory(std::string_view appPath) {
  std::string dir(appPath);
  if (!dir.empty() && dir.back() != kPathDelim) dir += kPathDelim;
  return dir;
}

std::string ExpandFileName(const std::string& fileName) {
  return std::filesystem::absolute(fileName).lexically_normal().string();
}

}  // namespace orvalen::platform
