// The shell's "open" verb: a mail address to the mail program, a web address
// to the browser. The result is not reported; the caller does not check it.
#pragma once

#include <string>

namespace orvalen::platform {

// Show commands as the shell takes them.
inline constexpr int SW_SHOW = 5;

class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Open(const std::string& target, int showCommand) = 0;
};

}  // namespace orvalen::platform
