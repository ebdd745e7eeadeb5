// The local machine's registry: a read-only view of the few facts Linux keeps
// in natural places, under the keys where programs look for them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry_backend.h"

namespace orvalen::platform {

// Key "Enum\Root\*PNP0C01\0000":
//   BIOSDate, BIOSName, BIOSVersion   sys/class/dmi/id/bios_date, bios_vendor, bios_version
// Key "System\CurrentControlSet\Services\VxD\VNETSUP":
//   ComputerName   proc/sys/kernel/hostname
//   Workgroup      proc/sys/kernel/domainname (the kernel's "(none)" is no domain)
//   Comment        PRETTY_HOSTNAME of etc/machine-info
// Key "SOFTWARE\Microsoft\Windows\CurrentVersion", only when etc/os-release or
// else usr/lib/os-release can be read:
//   ProductName, Version, VersionNumber   PRETTY_NAME, VERSION, VERSION_ID of it
//   SystemRoot "/", ProgramFilesDir "/usr", CommonFilesDir "/usr/share",
//   ConfigPath "/etc", DevicePath "/dev", MediaPath "/usr/share/sounds",
//   WallPaperDir "/usr/share/backgrounds"   each when that directory exists
//
// Every source is read under the root directory given. A source that is
// missing, unreadable or blank gives no value, and a key without values does
// not exist (the last one excepted, as above). Values are strings with their
// trailing line end and blanks removed. Nothing that identifies the machine
// beyond its names (machine id, product keys, owner) is ever shown: those
// values are simply absent.
class MachineRegistry : public RegistryBackend {
 public:
  explicit MachineRegistry(std::string rootDir);

  bool ReadOnly() const override { return true; }
  // Reads every source again.
  void Refresh() override;
  const RegistryKey& Root() override;
  // Raises ERegistryException: the view cannot be changed.
  void Apply(RegistryChange change) override;
  void Discard() noexcept override {}
  void Save() override {}

 private:
  std::string rootDir_;
  RegistryKey view_;
  bool loaded_ = false;
};

// Every source read under rootDir.
std::shared_ptr<RegistryBackend> LocalMachineView(std::string rootDir = "/");

// The KEY=value lines of files such as os-release and machine-info, read as
// the shell would read one word: '"' and '\'' quote, a backslash escapes the
// next character (inside '"' only before '"', '\\', '$' and '`'). Comments,
// blank lines and lines that do not parse are skipped; a later line wins.
std::map<std::string, std::string> ReadShellAssignments(std::string_view text);

}  // namespace orvalen::platform
