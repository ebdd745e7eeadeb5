#include "about/system_facts.h"

#include <cstdio>
#include <cstring>

namespace orvalen::about {

using namespace platform;

std::unique_ptr<Registry> SystemSources::OpenMachine() const {
  if (machine) return std::make_unique<Registry>(machine);
  return std::make_unique<Registry>(RegistryRoot::LocalMachine);
}

std::string ReadStringOrEmpty(Registry& registry, std::string_view name) {
  // A value of another type would raise from the string read; the whole
  // about box or component must not fail over one odd value.
  try {
    return registry.ReadString(name);
  } catch (const ERegistryException&) {
    return {};
  }
}

std::string ReadUserName(const UserNameSource& source) {
  char buffer[128];
  std::uint32_t size = sizeof buffer;
  if (!GetUserName(buffer, &size, source)) return kUserNameFailure;
  return buffer;
}

std::string ReadMacAdress(const std::function<std::uint8_t(NCB*)>& netbios) {
  NCB ncb;
  LanaEnum list;
  std::memset(&ncb, 0, sizeof ncb);
  std::memset(&list, 0, sizeof list);
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<std::uint8_t*>(&list);
  ncb.ncb_length = sizeof list;
  if (netbios(&ncb) != NRC_GOODRET) list.length = 0;

  std::string result;
  for (int i = 0; i < list.length && i < static_cast<int>(sizeof list.lana); ++i) {
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = list.lana[i];
    if (netbios(&ncb) != NRC_GOODRET) return {};

    AStat status;
    std::memset(&ncb, 0, sizeof ncb);
    std::memset(&status, 0, sizeof status);
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = list.lana[i];
    std::memcpy(ncb.ncb_callname, "*               ", 16);
    ncb.ncb_buffer = reinterpret_cast<std::uint8_t*>(&status);
    ncb.ncb_length = sizeof status;
    if (netbios(&ncb) != NRC_GOODRET) {
      result = "??:??:??:??:??:??";
      continue;
    }
    const std::uint8_t* a = status.adapt.adapter_address;
    char text[18];
    std::snprintf(text, sizeof text, "%2.2X:%2.2X:%2.2X:%2.2X:%2.2X:%2.2X", a[0], a[1], a[2], a[3],
                  a[4], a[5]);
    result = text;
  }
  return result;
}

}  // namespace orvalen::about
