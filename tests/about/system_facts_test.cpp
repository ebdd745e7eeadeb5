// What the about box and the system-information component learn about the
// machine, from injected sources: the adapter address through the NetBIOS
// commands, the user name through its buffer, the registry's three keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "about/win_info_values.h"
#include "platform/netbios.h"
#include "tests/test_support.h"

namespace orvalen::about {
namespace {

using namespace platform;

NetAdapter Adapter(std::array<std::uint8_t, 6> address, std::uint8_t reset = NRC_GOODRET) {
  NetAdapter a;
  a.address = address;
  a.resetResult = reset;
  return a;
}

TEST(MacAdress, IsTheLastAdapterTriedOrItsFallback) {
  const std::array<std::uint8_t, 6> first{0x52, 0x54, 0x00, 0x12, 0x34, 0x56};
  const std::array<std::uint8_t, 6> second{0x00, 0xA0, 0xC9, 0x14, 0xC8, 0x29};
  struct Case {
    const char* name;
    std::vector<NetAdapter> adapters;
    std::string expected;
  } cases[] = {
      {"no adapters", {}, ""},
      {"one adapter", {Adapter(first)}, "52:54:00:12:34:56"},
      {"two adapters: the second", {Adapter(first), Adapter(second)}, "00:A0:C9:14:C8:29"},
      {"reset fails on the second", {Adapter(first), Adapter(second, NRC_IFBUSY)}, ""},
      {"reset fails on the first", {Adapter(first, NRC_SYSTEM), Adapter(second)}, ""},
  };
  for (const auto& c : cases) {
    NetbiosService service(c.adapters);
    EXPECT_EQ(ReadMacAdress([&](NCB* ncb) { return service.Netbios(ncb); }), c.expected) << c.name;
  }
}

TEST(MacAdress, AStatusThatFailsReadsAsQuestionMarksAndAFailedEnumerateAsNoAdapters) {
  NetbiosService service({Adapter({1, 2, 3, 4, 5, 6})});
  auto statusFails = [&](NCB* ncb) {
    return ncb->ncb_command == NCBASTAT ? NRC_SYSTEM : service.Netbios(ncb);
  };
  EXPECT_EQ(ReadMacAdress(statusFails), "??:??:??:??:??:??");
  auto enumerateFails = [&](NCB* ncb) {
    if (ncb->ncb_command != NCBENUM) return service.Netbios(ncb);
    ncb->ncb_buffer[0] = 1;  // a count left behind must not be believed
    return NRC_SYSTEM;
  };
  EXPECT_EQ(ReadMacAdress(enumerateFails), "");
}

TEST(Netbios, RefusesWhatItCannotAnswerWithThePlatformsCodes) {
  NetbiosService service({Adapter({1, 2, 3, 4, 5, 6})});
  AStat status{};
  LanaEnum list{};
  auto run = [&](std::uint8_t command, std::uint8_t lana, void* buffer, std::uint16_t length,
                 const char* callname = "*               ") {
    NCB ncb{};
    ncb.ncb_command = command;
    ncb.ncb_lana_num = lana;
    ncb.ncb_buffer = static_cast<std::uint8_t*>(buffer);
    ncb.ncb_length = length;
    std::memcpy(ncb.ncb_callname, callname, 16);
    std::uint8_t rc = service.Netbios(&ncb);
    EXPECT_EQ(ncb.ncb_retcode, rc);
    return rc;
  };
  EXPECT_EQ(run(NCBENUM, 0, &list, sizeof list), NRC_GOODRET);
  EXPECT_EQ(list.length, 1);
  EXPECT_EQ(run(NCBENUM, 0, &list, 1), NRC_BUFLEN);
  EXPECT_EQ(run(NCBRESET, 1, nullptr, 0), NRC_BRIDGE);
  EXPECT_EQ(run(NCBASTAT, 1, &status, sizeof status), NRC_BRIDGE);
  EXPECT_EQ(run(NCBASTAT, 0, &status, 59), NRC_BUFLEN);
  EXPECT_EQ(run(NCBASTAT, 0, &status, sizeof status, "SOMEONE         "), NRC_NOCALL);
  EXPECT_EQ(run(0x7F, 0, nullptr, 0), NRC_ILLCMD);
  EXPECT_EQ(run(NCBASTAT, 0, &status, sizeof status), NRC_GOODRET);
  EXPECT_EQ(status.adapt.adapter_address[5], 6);
}

TEST(Netbios, TheMachinesAdaptersHaveAddressesAndNoLoopback) {
  for (const NetAdapter& a : SystemAdapters()) {
    EXPECT_NE(a.name, "lo");
    EXPECT_TRUE(std::any_of(a.address.begin(), a.address.end(), [](auto b) { return b != 0; }));
  }
}

TEST(UserName, FitsTheBufferOfOneHundredTwentyEightOrFails) {
  struct Case {
    std::optional<std::string> name;
    std::string expected;
  } cases[] = {
      {std::string("ada"), "ada"},
      {std::string(127, 'u'), std::string(127, 'u')},
      {std::string(128, 'u'), kUserNameFailure},  // no room for the NUL
      {std::nullopt, kUserNameFailure},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadUserName([&] { return c.name; }), c.expected) << c.name.value_or("(none)");
  EXPECT_NE(ReadUserName(PasswordDatabaseUserName), kUserNameFailure);
}

struct Machine {
  testing::TempDir root;
  void Put(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(root.File(path)).parent_path());
    testing::WriteFile(root.File(path), text);
  }
  SystemSources Sources(std::vector<NetAdapter> adapters = {}) {
    SystemSources s;
    s.machine = LocalMachineView(root.Str());
    s.userName = [] { return std::optional<std::string>("ada"); };
    s.netbios = [service = NetbiosService(std::move(adapters))](NCB* ncb) {
      return service.Netbios(ncb);
    };
    return s;
  }
};

TEST(WinInfoValues, AnEmptyMachineLeavesEveryRegistryValueEmptyButTheUser) {
  Machine empty;
  WinInfoValues v = CollectWinInfo(empty.Sources());
  WinInfoValues blank;
  blank.UserName = "ada";
  EXPECT_EQ(std::tie(v.BiosDate, v.ComputerName, v.Workgroup, v.ProductName, v.SystemRoot,
                     v.VersionNumber, v.RegisteredOwner, v.MacAdress, v.UserName, v.About),
            std::tie(blank.BiosDate, blank.ComputerName, blank.Workgroup, blank.ProductName,
                     blank.SystemRoot, blank.VersionNumber, blank.RegisteredOwner, blank.MacAdress,
                     blank.UserName, blank.About));
}

TEST(WinInfoValues, ReadsEachKeyIntoItsProperties) {
  Machine m;
  m.Put("sys/class/dmi/id/bios_date", "04/01/2014\n");
  m.Put("sys/class/dmi/id/bios_vendor", "SeaBIOS\n");
  m.Put("sys/class/dmi/id/bios_version", "1.16.2\n");
  m.Put("proc/sys/kernel/hostname", "build7\n");
  m.Put("proc/sys/kernel/domainname", "lab.example\n");
  m.Put("etc/machine-info", "PRETTY_HOSTNAME=\"Build box\"\n");
  m.Put("etc/os-release", "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nVERSION_ID=\"12\"\n");
  std::filesystem::create_directories(m.root.File("usr/share"));
  WinInfoValues v = CollectWinInfo(m.Sources({Adapter({0x00, 0xA0, 0xC9, 0x14, 0xC8, 0x29})}));
  EXPECT_EQ(v.BiosDate, "04/01/2014");
  EXPECT_EQ(v.BiosName, "SeaBIOS");
  EXPECT_EQ(v.BiosVer, "1.16.2");
  EXPECT_EQ(v.ComputerName, "build7");
  EXPECT_EQ(v.Workgroup, "lab.example");
  EXPECT_EQ(v.Comment, "Build box");
  EXPECT_EQ(v.ProductName, "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(v.VersionNumber, "12");
  EXPECT_EQ(v.ProgramFilesDir, "/usr");
  EXPECT_EQ(v.CommonFilesDir, "/usr/share");
  EXPECT_EQ(v.ProductKey, "");
  EXPECT_EQ(v.MacAdress, "00:A0:C9:14:C8:29");
}

TEST(WinInfoValues, AValueOfAnotherTypeReadsAsEmpty) {
  testing::TempDir dir;
  auto store = CurrentUserStore(dir.File("registry"));
  {
    Registry r(store);
    ASSERT_TRUE(r.OpenKey(std::string("\\") + kWindowsKey, true));
    r.WriteInteger("BootCount", 7);
    r.WriteString("ProductName", "Tested OS");
    r.CloseKey();
  }
  SystemSources s;
  s.machine = store;
  s.netbios = [](NCB*) { return NRC_SYSTEM; };
  WinInfoValues v = CollectWinInfo(s);
  EXPECT_EQ(v.BootCount, "");
  EXPECT_EQ(v.ProductName, "Tested OS");
}

}  // namespace
}  // namespace orvalen::about
