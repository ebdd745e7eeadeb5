#include "about/win_info_values.h"

#include <utility>

namespace orvalen::about {

namespace {

using Field = std::string WinInfoValues::*;
using Reading = std::pair<const char*, Field>;

// The values of each key in the order they are read.
constexpr Reading kBiosValues[] = {
    {"BIOSDate", &WinInfoValues::BiosDate},
    {"BIOSName", &WinInfoValues::BiosName},
    {"BIOSVersion", &WinInfoValues::BiosVer},
};
constexpr Reading kNetworkValues[] = {
    {"Workgroup", &WinInfoValues::Workgroup},
    {"ComputerName", &WinInfoValues::ComputerName},
    {"Comment", &WinInfoValues::Comment},
};
constexpr Reading kWindowsValues[] = {
    {"ProductId", &WinInfoValues::ProductId},
    {"ProductKey", &WinInfoValues::ProductKey},
    {"RegisteredOwner", &WinInfoValues::RegisteredOwner},
    {"RegisteredOrganization", &WinInfoValues::RegisteredOrganization},
    {"SystemRoot", &WinInfoValues::SystemRoot},
    {"ProgramFilesDir", &WinInfoValues::ProgramFilesDir},
    {"BootCount", &WinInfoValues::BootCount},
    {"CommonFilesDir", &WinInfoValues::CommonFilesDir},
    {"ConfigPath", &WinInfoValues::ConfigPath},
    {"DevicePath", &WinInfoValues::DevicePath},
    {"MediaPath", &WinInfoValues::MediaPath},
    {"OtherDevicePath", &WinInfoValues::OtherDevicePath},
    {"PF_AccessoriesName", &WinInfoValues::PF_AccessoriesName},
    {"ProductName", &WinInfoValues::ProductName},
    {"ProductType", &WinInfoValues::ProductType},
    {"ProgramFilesPath", &WinInfoValues::ProgramFilesPath},
    {"SM_AccessoriesName", &WinInfoValues::SM_AccessoriesName},
    {"Version", &WinInfoValues::Version},
    {"VersionNumber", &WinInfoValues::VersionNumber},
    {"WallPaperDir", &WinInfoValues::WallPaperDir},
};

template <std::size_t N>
void ReadKey(platform::Registry& registry, const char* key, const Reading (&values)[N],
             WinInfoValues& into) {
  if (!registry.OpenKeyReadOnly(std::string("\\") + key)) return;
  for (const auto& [name, field] : values) into.*field = ReadStringOrEmpty(registry, name);
  registry.CloseKey();
}

}  // namespace

WinInfoValues CollectWinInfo(const SystemSources& sources) {
  WinInfoValues v;
  {
    auto registry = sources.OpenMachine();
    ReadKey(*registry, kBiosKey, kBiosValues, v);
    ReadKey(*registry, kNetworkKey, kNetworkValues, v);
    ReadKey(*registry, kWindowsKey, kWindowsValues, v);
  }
  v.UserName = ReadUserName(sources.userName);
  v.MacAdress = ReadMacAdress(sources.netbios);
  return v;
}

}  // namespace orvalen::about
