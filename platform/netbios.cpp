#include "platform/netbios.h"

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>

#include <algorithm>
#include <cstring>

namespace orvalen::platform {

namespace {

bool IsLocalCallName(const std::uint8_t (&name)[16]) {
  if (name[0] != '*') return false;
  return std::all_of(name + 1, name + 16, [](std::uint8_t c) { return c == ' ' || c == 0; });
}

}  // namespace

std::vector<NetAdapter> SystemAdapters() {
  std::vector<NetAdapter> adapters;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return adapters;
  for (ifaddrs* a = list; a; a = a->ifa_next) {
    if (!a->ifa_addr || a->ifa_addr->sa_family != AF_PACKET) continue;
    if (a->ifa_flags & IFF_LOOPBACK) continue;
    sockaddr_ll ll{};
    std::memcpy(&ll, a->ifa_addr, sizeof ll);
    if (ll.sll_halen != 6) continue;
    NetAdapter adapter;
    adapter.name = a->ifa_name ? a->ifa_name : "";
    adapter.index = ll.sll_ifindex;
    std::copy_n(ll.sll_addr, 6, adapter.address.begin());
    if (std::all_of(adapter.address.begin(), adapter.address.end(),
                    [](std::uint8_t b) { return b == 0; }))
      continue;  // no hardware address to speak of
    adapters.push_back(std::move(adapter));
  }
  freeifaddrs(list);
  std::sort(adapters.begin(), adapters.end(),
            [](const NetAdapter& x, const NetAdapter& y) { return x.index < y.index; });
  return adapters;
}

std::uint8_t NetbiosService::Enumerate(NCB& ncb) const {
  if (!ncb.ncb_buffer) return NRC_INVADDRESS;
  const std::size_t count = std::min<std::size_t>(adapters_.size(), 254);
  if (ncb.ncb_length < 1 + count) return NRC_BUFLEN;
  ncb.ncb_buffer[0] = static_cast<std::uint8_t>(count);
  for (std::size_t i = 0; i < count; ++i) ncb.ncb_buffer[1 + i] = static_cast<std::uint8_t>(i);
  return NRC_GOODRET;
}

std::uint8_t NetbiosService::Status(NCB& ncb) const {
  if (!IsLocalCallName(ncb.ncb_callname)) return NRC_NOCALL;
  if (!ncb.ncb_buffer) return NRC_INVADDRESS;
  if (ncb.ncb_length < sizeof(AdapterStatus)) return NRC_BUFLEN;
  AdapterStatus status{};
  const NetAdapter& adapter = adapters_[ncb.ncb_lana_num];
  std::copy(adapter.address.begin(), adapter.address.end(), status.adapter_address);
  status.rev_major = 3;
  status.adapter_type = 0xFE;  // an Ethernet adapter
  status.max_dgram_size = 1464;
  status.name_count = 0;  // this machine registers no NetBIOS names
  std::memcpy(ncb.ncb_buffer, &status, sizeof status);
  ncb.ncb_length = sizeof status;
  return NRC_GOODRET;
}

std::uint8_t NetbiosService::Netbios(NCB* ncb) const {
  if (!ncb) return NRC_INVADDRESS;
  std::uint8_t rc;
  switch (ncb->ncb_command) {
    case NCBENUM:
      rc = Enumerate(*ncb);
      break;
    case NCBRESET:
      rc = ncb->ncb_lana_num < adapters_.size() ? adapters_[ncb->ncb_lana_num].resetResult
                                                : NRC_BRIDGE;
      break;
    case NCBASTAT:
      rc = ncb->ncb_lana_num < adapters_.size() ? Status(*ncb) : NRC_BRIDGE;
      break;
    default:
      rc = NRC_ILLCMD;
  }
  ncb->ncb_retcode = rc;
  ncb->ncb_cmd_cplt = rc;
  return rc;
}

std::uint8_t Netbios(NCB* ncb) {
  return NetbiosService(SystemAdapters()).Netbios(ncb);
}

}  // namespace orvalen::platform
