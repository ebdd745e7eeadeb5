// A module loaded by the reader's tests: it names the file it was loaded from.
#include <string>

#include "platform/program_file.h"

extern "C" __attribute__((visibility("default"))) const char* VersionInfoModuleFileName() {
  static const std::string path =
      orvalen::platform::ModuleFileName(reinterpret_cast<const void*>(&VersionInfoModuleFileName));
  return path.c_str();
}
