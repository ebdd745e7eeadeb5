#include "platform/user_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace orvalen::platform {

std::optional<PasswordEntry> CurrentPasswordEntry() {
  long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> scratch(hint > 0 ? static_cast<std::size_t>(hint) : 1024);
  passwd entry{};
  passwd* found = nullptr;
  for (;;) {
    int rc = getpwuid_r(getuid(), &entry, scratch.data(), scratch.size(), &found);
    if (rc == ERANGE && scratch.size() < (1u << 20)) {
      scratch.resize(scratch.size() * 2);
      continue;
    }
    if (rc != 0 || !found || !found->pw_name) return std::nullopt;
    return PasswordEntry{found->pw_name, found->pw_dir ? found->pw_dir : ""};
  }
}

std::optional<std::string> PasswordDatabaseUserName() {
  if (auto entry = CurrentPasswordEntry()) return entry->name;
  return std::nullopt;
}

bool GetUserName(char* buffer, std::uint32_t* size, const UserNameSource& source) {
  if (!size) return false;
  std::optional<std::string> name = source ? source() : std::nullopt;
  if (!name) return false;
  const std::size_t needed = name->size() + 1;
  if (!buffer || needed > *size) {
    *size = static_cast<std::uint32_t>(needed);
    return false;
  }
  std::memcpy(buffer, name->c_str(), needed);
  *size = static_cast<std::uint32_t>(needed);
  return true;
}

}  // namespace orvalen::platform
