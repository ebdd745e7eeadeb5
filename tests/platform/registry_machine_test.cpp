// The local machine's registry read from a made-up root directory: every
// value from its source, absent sources, keys that do not exist, refused writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

using orvalen::testing::TempDir;
using Names = std::vector<std::string>;

const char* const kBios = "\\Enum\\Root\\*PNP0C01\\0000";
const char* const kNetwork = "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
const char* const kVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A root directory with every source a machine may have.
class FakeMachine {
 public:
  FakeMachine() {
    Write("sys/class/dmi/id/bios_date", "03/14/2023\n");
    Write("sys/class/dmi/id/bios_vendor", "Vendor Inc. \t\n");
    Write("sys/class/dmi/id/bios_version", "1.2.3\n");
    Write("sys/class/dmi/id/product_uuid", "0a0b0c0d-not-to-be-shown\n");
    Write("proc/sys/kernel/hostname", "box\n");
    Write("proc/sys/kernel/domainname", "example.org\n");
    Write("etc/machine-info", "# set by hand\nPRETTY_HOSTNAME=\"Ann's \\\"box\\\"\"\n");
    Write("etc/machine-id", "0123456789abcdef0123456789abcdef\n");
    Write("etc/os-release",
          "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
          "VERSION_ID=\"12\"\nVERSION='12 (bookworm)'\n");
    for (const char* d : {"usr/share/sounds", "dev"}) std::filesystem::create_directories(dir / d);
  }
  void Write(const std::string& relative, const std::string& text) const {
    std::filesystem::create_directories((dir / relative).parent_path());
    orvalen::testing::WriteFile(File(relative), text);
  }
  std::string File(const std::string& relative) const { return (dir / relative).string(); }
  Registry Open() const { return Registry(LocalMachineView(root.Str())); }

  TempDir root;
  const std::filesystem::path& dir = root.Path();
};

TEST(RegistryMachineView, EachValueComesFromItsSource) {
  FakeMachine machine;
  Registry reg = machine.Open();
  const struct {
    const char* key;
    const char* name;
    const char* value;  // nullptr: absent
  } cases[] = {
      {kBios, "BIOSDate", "03/14/2023"},
      {kBios, "BIOSName", "Vendor Inc."},
      {kBios, "BIOSVersion", "1.2.3"},
      {kNetwork, "ComputerName", "box"},
      {kNetwork, "Workgroup", "example.org"},
      {kNetwork, "Comment", "Ann's \"box\""},
      {kVersion, "ProductName", "Debian GNU/Linux 12 (bookworm)"},
      {kVersion, "Version", "12 (bookworm)"},
      {kVersion, "VersionNumber", "12"},
      {kVersion, "SystemRoot", "/"},
      {kVersion, "ProgramFilesDir", "/usr"},
      {kVersion, "CommonFilesDir", "/usr/share"},
      {kVersion, "MediaPath", "/usr/share/sounds"},
      {kVersion, "DevicePath", "/dev"},
      {kVersion, "ConfigPath", "/etc"},
      {kVersion, "WallPaperDir", nullptr},
      {kVersion, "ProductId", nullptr},
      {kVersion, "ProductKey", nullptr},
      {kVersion, "RegisteredOwner", nullptr},
      {kVersion, "RegisteredOrganization", nullptr},
      {kVersion, "BootCount", nullptr},
  };
  EXPECT_EQ(reg.GetKeyNames(), (Names{"Enum", "SOFTWARE", "System"}));
  for (const auto& c : cases) {
    // Walked down from the root, as a program listing the keys would.
    ASSERT_TRUE(reg.OpenKey("\\", false));
    for (const std::string& name : SplitKeyPath(c.key)) {
      Names names = reg.GetKeyNames();
      ASSERT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
      ASSERT_TRUE(reg.OpenKey(name, false));
    }
    std::optional<RegValue> value = reg.ReadValue(c.name);
    if (c.value)
      EXPECT_EQ(value, (RegValue{RegDataType::String, c.value})) << c.name;
    else
      EXPECT_FALSE(value) << c.name;
  }
  ASSERT_TRUE(reg.OpenKey(kBios, false));
  EXPECT_EQ(reg.GetValueNames().size(), 3u);  // nothing else of the DMI data
}

TEST(RegistryMachineView, AbsentOrEmptySourcesGiveNoValue) {
  FakeMachine machine;
  machine.Write("proc/sys/kernel/domainname", "(none)\n");
  machine.Write("etc/machine-info", "PRETTY_HOSTNAME=\"unclosed\n");
  std::filesystem::remove(machine.File("sys/class/dmi/id/bios_date"));
  std::filesystem::create_directory(machine.File("sys/class/dmi/id/bios_date"));  // unreadable
  machine.Write("sys/class/dmi/id/bios_version", " \n");
  machine.Write("usr/lib/os-release", orvalen::testing::ReadFile(machine.File("etc/os-release")));
  std::filesystem::remove(machine.File("etc/os-release"));
  bool root = geteuid() == 0;  // reads whatever the permissions say
  if (!root) chmod(machine.File("sys/class/dmi/id/bios_vendor").c_str(), 0);

  Registry reg = machine.Open();
  ASSERT_EQ(reg.OpenKey(kBios, false), root);
  if (root) {
    EXPECT_EQ(reg.GetValueNames(), Names{"BIOSName"});
  }
  ASSERT_TRUE(reg.OpenKey(kNetwork, false));
  EXPECT_EQ(reg.GetValueNames(), Names{"ComputerName"});
  ASSERT_TRUE(reg.OpenKey(kVersion, false));  // from the fallback os-release
  EXPECT_EQ(reg.ReadString("VersionNumber"), "12");

  std::filesystem::remove(machine.File("usr/lib/os-release"));
  std::filesystem::remove(machine.File("proc/sys/kernel/hostname"));
  EXPECT_FALSE(reg.OpenKey(kVersion, false));  // the directories alone do not make the key
  EXPECT_FALSE(reg.OpenKey(kNetwork, false));
}

TEST(RegistryMachineView, AnEmptyRootHasNoKeys) {
  TempDir empty;
  Registry reg(LocalMachineView(empty.Str()));
  EXPECT_TRUE(reg.GetKeyNames().empty());
  for (const char* key : {kBios, kNetwork, kVersion}) EXPECT_FALSE(reg.OpenKey(key, false)) << key;
  EXPECT_EQ(reg.ReadString("anything"), "");
}

TEST(RegistryMachineView, SourcesAreReadAgainWhenAKeyOpens) {
  FakeMachine machine;
  Registry reg = machine.Open();
  ASSERT_TRUE(reg.OpenKey(kNetwork, false));
  machine.Write("proc/sys/kernel/hostname", "renamed\n");
  EXPECT_EQ(reg.ReadString("ComputerName"), "box");
  ASSERT_TRUE(reg.OpenKey(kNetwork, false));
  EXPECT_EQ(reg.ReadString("ComputerName"), "renamed");
}

TEST(RegistryMachineView, WritesAreRefused) {
  FakeMachine machine;
  Registry reg = machine.Open();
  ASSERT_TRUE(reg.OpenKey(kNetwork, true));
  EXPECT_FALSE(reg.OpenKey("New", true));
  EXPECT_THROW(reg.WriteString("ComputerName", "x"), ERegistryException);
  EXPECT_THROW(reg.WriteInteger("n", 1), ERegistryException);
  EXPECT_THROW(reg.WriteValue("n", {RegDataType::Binary, "x"}), ERegistryException);
  EXPECT_THROW(reg.DeleteValue("ComputerName"), ERegistryException);
  EXPECT_THROW(reg.DeleteKey(kBios), ERegistryException);
  EXPECT_EQ(reg.ReadString("ComputerName"), "box");
  EXPECT_NO_THROW(reg.CloseKey());
}

TEST(RegistryMachineView, ShellAssignmentsReadAsTheShellWould) {
  const struct {
    const char* line;
    const char* value;  // nullptr: no assignment
  } cases[] = {
      {"A=plain", "plain"},
      {"A=\"double \\\"q\\\" \\$x \\\\ \\n\"", "double \"q\" $x \\ \\n"},
      {"A='single \\ \"x\"'", "single \\ \"x\""},
      {"A=un\\ quoted\\'s", "un quoted's"},
      {"A=My box  \t", "My box"},
      {"A=\"kept  \"", "kept  "},
      {"  A=indented", "indented"},
      {"A=", ""},
      {"A=\"unclosed", nullptr},
      {"# A=comment", nullptr},
      {"1A=x", nullptr},
      {"A =x", nullptr},
  };
  for (const auto& c : cases) {
    auto assignments = ReadShellAssignments(std::string(c.line) + "\n");
    auto it = assignments.find("A");
    if (c.value)
      EXPECT_TRUE(it != assignments.end() && it->second == c.value) << c.line;
    else
      EXPECT_TRUE(assignments.empty()) << c.line;
  }
  EXPECT_EQ(ReadShellAssignments("A=1\nB=2\nA=3").at("A"), "3");
}

}  // namespace
}  // namespace orvalen::platform
