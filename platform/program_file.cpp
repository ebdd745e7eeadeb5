#include "platform/program_file.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/utf8.h"

namespace orvalen::platform {

std::string ProgramFileName() {
  std::string path(256, '\0');
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < path.size()) {
      path.resize(static_cast<std::size_t>(n));
      return path;
    }
    if (path.size() >= (std::size_t{1} << 20)) return {};
    path.resize(path.size() * 2);  // it may have been cut: ask again with more room
  }
}

std::string ModuleFileName(const void* address, std::size_t maxLength) {
  Dl_info info;
  link_map* map = nullptr;
  if (!address || ::dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
      !map || !map->l_name)
    return {};
  std::string path;
  if (map->l_name[0] == '\0') {
    path = ProgramFileName();  // the program itself has no name of its own in the list
  } else if (std::strchr(map->l_name, '/')) {
    // A library opened by a relative path is named as it was opened.
    std::error_code ec;
    path = std::filesystem::absolute(map->l_name, ec).lexically_normal().string();
  }
  // Otherwise a module without a file, such as the kernel's vDSO.
  if (path.size() > maxLength) {
    std::size_t cut = maxLength;
    while (cut > 0 && IsUtf8Continuation(path[cut])) --cut;
    path.resize(cut);
  }
  return path;
}

}  // namespace orvalen::platform
