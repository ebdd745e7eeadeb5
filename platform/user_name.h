// The logged-on user's name, as the classic user-name query hands it out: into
// a caller's buffer of a given number of characters, the terminating NUL
// included.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvalen::platform {

// The real user of this process as the password database knows it.
struct PasswordEntry {
  std::string name;
  std::string home;
};

// Looked up with the reentrant call; nothing when the user cannot be found.
std::optional<PasswordEntry> CurrentPasswordEntry();

// Where the name comes from; nothing when the user cannot be found.
using UserNameSource = std::function<std::optional<std::string>()>;

// The real user of this process from the password database (reentrant lookup).
std::optional<std::string> PasswordDatabaseUserName();

// Copies the name and a NUL into `buffer`, which holds `*size` characters, and
// sets `*size` to the characters written, NUL included. False when the user
// cannot be found, or when the name does not fit (then `*size` is the size
// needed and the buffer is left alone).
bool GetUserName(char* buffer, std::uint32_t* size,
                 const UserNameSource& source = PasswordDatabaseUserName);

}  // namespace orvalen::platform
