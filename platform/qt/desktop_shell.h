// The shell's "open" verb through the desktop's handlers (xdg-open).
#pragma once

#include "platform/shell.h"

namespace orvalen::platform {

class DesktopShell : public Shell {
 public:
  void Open(const std::string& target, int showCommand) override;
};

// The one the programs use.
Shell& DefaultShell();

}  // namespace orvalen::platform
