// The NetBIOS commands the system issues to learn an adapter's hardware
// address, answered from this machine's network interfaces: enumerate the
// adapters, reset one, ask one for its status. The control block and the
// buffers keep the classic layouts, so callers fill them as they always have.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvalen::platform {

// Commands.
inline constexpr std::uint8_t NCBENUM = 0x37;
inline constexpr std::uint8_t NCBRESET = 0x32;
inline constexpr std::uint8_t NCBASTAT = 0x33;

// Return codes.
inline constexpr std::uint8_t NRC_GOODRET = 0x00;
inline constexpr std::uint8_t NRC_BUFLEN = 0x01;      // the buffer is too small
inline constexpr std::uint8_t NRC_ILLCMD = 0x03;      // a command we do not answer
inline constexpr std::uint8_t NRC_NOCALL = 0x14;      // no such name to ask
inline constexpr std::uint8_t NRC_BRIDGE = 0x23;      // no adapter with that number
inline constexpr std::uint8_t NRC_IFBUSY = 0x21;      // the interface is busy
inline constexpr std::uint8_t NRC_SYSTEM = 0x40;      // a system error
inline constexpr std::uint8_t NRC_INVADDRESS = 0x39;  // no buffer where one is needed

// The network control block.
struct NCB {
  std::uint8_t ncb_command;
  std::uint8_t ncb_retcode;
  std::uint8_t ncb_lsn;
  std::uint8_t ncb_num;
  std::uint8_t* ncb_buffer;
  std::uint16_t ncb_length;
  std::uint8_t ncb_callname[16];
  std::uint8_t ncb_name[16];
  std::uint8_t ncb_rto;
  std::uint8_t ncb_sto;
  void (*ncb_post)(NCB*);
  std::uint8_t ncb_lana_num;
  std::uint8_t ncb_cmd_cplt;
  std::uint8_t ncb_reserve[10];
  void* ncb_event;
};

// The adapter list of the enumerate command: a count, then adapter numbers.
struct LanaEnum {
  std::uint8_t length;
  std::uint8_t lana[254];
};
static_assert(sizeof(LanaEnum) == 255);

// The status record of the adapter-status command.
#pragma pack(push, 1)
struct AdapterStatus {
  std::uint8_t adapter_address[6];
  std::uint8_t rev_major;
  std::uint8_t reserved0;
  std::uint8_t adapter_type;
  std::uint8_t rev_minor;
  std::uint16_t duration;
  std::uint16_t frmr_recv;
  std::uint16_t frmr_xmit;
  std::uint16_t iframe_recv_err;
  std::uint16_t xmit_aborts;
  std::uint32_t xmit_success;
  std::uint32_t recv_success;
  std::uint16_t iframe_xmit_err;
  std::uint16_t recv_buff_unavail;
  std::uint16_t t1_timeouts;
  std::uint16_t ti_timeouts;
  std::uint32_t reserved1;
  std::uint16_t free_ncbs;
  std::uint16_t max_cfg_ncbs;
  std::uint16_t max_ncbs;
  std::uint16_t xmit_buf_unavail;
  std::uint16_t max_dgram_size;
  std::uint16_t pending_sess;
  std::uint16_t max_cfg_sess;
  std::uint16_t max_sess;
  std::uint16_t max_sess_pkt_size;
  std::uint16_t name_count;
};

struct NameBuffer {
  std::uint8_t name[16];
  std::uint8_t name_num;
  std::uint8_t name_flags;
};
#pragma pack(pop)
static_assert(sizeof(AdapterStatus) == 60);
static_assert(sizeof(NameBuffer) == 18);

// The status record and room for 16 names, as the status command is asked.
struct AStat {
  AdapterStatus adapt;
  NameBuffer NameBuff[16];
};
static_assert(sizeof(AStat) == 348);

// One network interface that answers as an adapter.
struct NetAdapter {
  std::string name;
  int index = 0;
  std::array<std::uint8_t, 6> address{};
  std::uint8_t resetResult = NRC_GOODRET;  // what a reset of it answers
};

// The machine's interfaces that have a hardware address, loopback excluded,
// in interface-index order.
std::vector<NetAdapter> SystemAdapters();

// Answers the commands from a fixed list of adapters; adapter number n is the
// list's n-th entry.
class NetbiosService {
 public:
  explicit NetbiosService(std::vector<NetAdapter> adapters) : adapters_(std::move(adapters)) {}
  // Carries out the command; the return code is also left in ncb_retcode and
  // ncb_cmd_cplt.
  std::uint8_t Netbios(NCB* ncb) const;

 private:
  std::uint8_t Enumerate(NCB& ncb) const;
  std::uint8_t Status(NCB& ncb) const;
  std::vector<NetAdapter> adapters_;
};

// The command answered from this machine's adapters.
std::uint8_t Netbios(NCB* ncb);

}  // namespace orvalen::platform
