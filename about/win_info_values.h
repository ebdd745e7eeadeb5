// The facts the system-information component offers, collected once.
#pragma once

#include <string>

#include "about/system_facts.h"

namespace orvalen::about {

// One field per published property of TWinInfo, in the same order.
struct WinInfoValues {
  std::string About, MacAdress, BiosDate, BiosName, BiosVer, Workgroup, ComputerName, Comment,
      ProductId, ProductKey, WallPaperDir, VersionNumber, Version, SM_AccessoriesName,
      ProgramFilesPath, ProductType, ProductName, PF_AccessoriesName, OtherDevicePath, MediaPath,
      DevicePath, ConfigPath, CommonFilesDir, BootCount, ProgramFilesDir, SystemRoot,
      RegisteredOrganization, RegisteredOwner, UserName;
};

// Reads the registry keys, the user name and the adapter address; a key or
// value that is missing leaves its field empty.
WinInfoValues CollectWinInfo(const SystemSources& sources);

}  // namespace orvalen::about
