// What the about box and the system-information component learn about the
// machine: local-machine registry values, the logged-on user, an adapter's
// hardware address. Qt-free; every source can be replaced for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/netbios.h"
#include "platform/registry.h"
#include "platform/user_name.h"

namespace orvalen::about {

inline constexpr char kBiosKey[] = "Enum\\Root\\*PNP0C01\\0000";
inline constexpr char kNetworkKey[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
inline constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char kUserNameFailure[] = "Failure reading user name";

struct SystemSources {
  // The local machine's registry; the machine itself unless replaced.
  std::shared_ptr<platform::RegistryBackend> machine;
  platform::UserNameSource userName = platform::PasswordDatabaseUserName;
  std::function<std::uint8_t(platform::NCB*)> netbios = [](platform::NCB* ncb) {
    return platform::Netbios(ncb);
  };

  // A reader on the local-machine root.
  std::unique_ptr<platform::Registry> OpenMachine() const;
};

// The value as a string; a value that is missing, or that the platform's
// string read refuses (another type), reads as empty.
std::string ReadStringOrEmpty(platform::Registry& registry, std::string_view name);

// The logged-on user's name through a buffer of 128 characters, or the
// failure text.
std::string ReadUserName(const platform::UserNameSource& source);

// The hardware address of the last adapter tried, "00:A0:C9:14:C8:29"; empty
// without adapters or after a failed reset; "??:??:??:??:??:??" when an
// adapter does not answer its status.
std::string ReadMacAdress(const std::function<std::uint8_t(platform::NCB*)>& netbios);

}  // namespace orvalen::about
