// The current user's store on disk: its text, what becomes of a store that
// cannot be read, saves killed half way, programs saving at the same time,
// and where the store lives.
#include "platform/registry_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "platform/registry.h"
#include "platform/registry_store_format.h"
#include "platform/streams.h"
#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

using orvalen::testing::ReadFile;
using orvalen::testing::TempDir;
using orvalen::testing::WriteFile;

const std::string kHeader = "Orvalen registry 1\n";

// A path of `depth` keys, each named k.
std::string Nested(std::size_t depth) {
  std::string path = "k";
  for (std::size_t i = 1; i < depth; ++i) path += "\\k";
  return path;
}

std::set<std::string> KeptAside(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    if (entry.path().filename().string().rfind("registry.corrupt-", 0) == 0)
      names.insert(entry.path().string());
  return names;
}

TEST(RegistryStore, AnUnreadableStoreReadsAsEmptyAndIsKeptAsideByTheNextSave) {
  const std::string whole = kHeader + "[App]\n\"v\" = string \"1\"\nend\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"another format version", "Orvalen registry 2\n[App]\nend\n"},
      {"no header", "[App]\nend\n"},
      {"a bad escape", kHeader + "[App]\n\"v\" = string \"%G0\"\nend\n"},
      {"cut short at a line end", whole.substr(0, whole.size() - 4)},
      {"cut short in a line", whole.substr(0, 30)},
      {"an empty file", ""},
      {"text after the end", whole + "[B]\n"},
      {"a value before any key", kHeader + "\"v\" = string \"1\"\nend\n"},
      {"a key twice", kHeader + "[App]\n[APP]\nend\n"},
      {"an odd hex", kHeader + "[App]\n\"v\" = binary 0\nend\n"},
      {"an integer out of range", kHeader + "[App]\n\"v\" = integer 2147483648\nend\n"},
      {"keys nested too deep", kHeader + "[" + Nested(kMaxKeyDepth + 1) + "]\nend\n"},
      // A whole store, but past the limit with comments: no store of ours is so large.
      {"larger than the limit",
       kHeader + "# " + std::string(kMaxRegistryStoreSize, '.') + "\n[App]\nend\n"},
      {"binary junk", std::string("\x7f"
                                  "ELF\2\1\1\0\0\0",
                                  10)},
  };
  TempDir dir;  // one directory for all: every kept file needs a name of its own
  std::string path = dir.File("registry");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(path, c.text);
    std::set<std::string> before = KeptAside(dir);
    ::testing::internal::CaptureStderr();
    {
      Registry reg(CurrentUserStore(path));
      EXPECT_TRUE(reg.GetKeyNames().empty());
      EXPECT_FALSE(reg.OpenKey("App", false));
      ASSERT_TRUE(reg.OpenKey("New", true));
      reg.WriteString("v", "2");
      reg.CloseKey();
    }
    std::string err = ::testing::internal::GetCapturedStderr();
    std::set<std::string> after = KeptAside(dir);
    ASSERT_EQ(after.size(), before.size() + 1);
    std::string aside;
    for (const std::string& name : after)
      if (!before.count(name)) aside = name;
    EXPECT_EQ(ReadFile(aside), c.text);
    EXPECT_NE(err.find(path + " could not be read"), std::string::npos) << err;
    EXPECT_NE(err.find("kept it as " + aside + " "), std::string::npos) << err;

    std::optional<RegistryKey> saved = ParseRegistryStore(ReadFile(path));
    ASSERT_TRUE(saved);
    RegistryKey expected;
    expected.Create({"New"}).SetValue("v", {RegDataType::String, "2"});
    EXPECT_TRUE(*saved == expected);
  }
}

TEST(RegistryStore, APipeOrADirectoryInItsPlaceReadsAsEmptyWithoutWaiting) {
  TempDir dir;
  const std::string pipe = dir.File("pipe"), folder = dir.File("folder");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directory(folder);
  for (const std::string& path : {pipe, folder}) {
    SCOPED_TRACE(path);
    ::testing::internal::CaptureStderr();
    {
      Registry reg(CurrentUserStore(path));
      EXPECT_TRUE(reg.GetKeyNames().empty());
    }
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(path + " cannot be read (not a regular file)"), std::string::npos) << err;
  }
}

// Replaces the key Data with `count` values of one letter; one save.
void SaveContent(Registry& reg, char letter, int count) {
  reg.DeleteKey("\\Data");
  ASSERT_TRUE(reg.OpenKey("\\Data", true));
  for (int i = 0; i < count; ++i)
    reg.WriteString("value " + std::to_string(i), std::string(40, letter) + std::to_string(i));
  reg.CloseKey();
}

TEST(RegistryStore, ASaveKilledAtAnyPointLeavesTheOldOrTheNewStore) {
  TempDir dir;
  std::string path = dir.File("registry");
  const int kValues = 1000;  // about 65 KB of text
  Registry reg(CurrentUserStore(path));
  SaveContent(reg, 'B', kValues);
  const std::string storeB = ReadFile(path);
  auto start = std::chrono::steady_clock::now();
  SaveContent(reg, 'A', kValues);
  auto oneSave = std::chrono::steady_clock::now() - start;
  const std::string storeA = ReadFile(path);
  ASSERT_NE(storeA, storeB);

  // Kills spread over about three saves, however fast this machine saves.
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<long> delayUs(
      0, 3 * std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count() + 1000);
  int replaced = 0, cutShort = 0;
  std::string before = storeA;
  for (int round = 0; round < 200; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        // First the content the store does not hold, so that any save shows.
        Registry saver(CurrentUserStore(path));
        for (char next = before == storeA ? 'B' : 'A';; next = next == 'A' ? 'B' : 'A')
          SaveContent(saver, next, kValues);
      } catch (...) {
      }
      _exit(1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself in round " << round;
    std::string text = ReadFile(path);
    ASSERT_TRUE(text == storeA || text == storeB) << "a torn store in round " << round;
    replaced += text != before;
    before = text;
    // A temporary file left behind is a save killed between its start and its rename.
    cutShort += std::filesystem::remove(path + ".tmp");
  }
  EXPECT_GT(replaced, 0);
  EXPECT_GT(cutShort, 0);
}

TEST(RegistryStore, ProgramsSavingAtOnceKeepEachOthersChanges) {
  TempDir dir;
  std::string path = dir.File("registry");
  const int kEach = 200;
  pid_t children[2];
  for (char letter : {'a', 'b'}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int code = 0;
      try {
        Registry reg(CurrentUserStore(path));
        for (int i = 0; i < kEach; ++i) {
          if (!reg.OpenKey("\\Shared", true)) code = 2;
          reg.WriteString(letter + std::to_string(i), std::string(1, letter));
          reg.WriteString("last", std::string(1, letter));
          reg.CloseKey();
        }
      } catch (...) {
        code = 1;
      }
      _exit(code);
    }
    children[letter - 'a'] = child;
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  Registry reg(CurrentUserStore(path));
  ASSERT_TRUE(reg.OpenKey("Shared", false));
  EXPECT_EQ(reg.GetValueNames().size(), 2 * kEach + 1);
  for (char letter : {'a', 'b'})
    for (int i = 0; i < kEach; ++i)
      ASSERT_EQ(reg.ReadString(letter + std::to_string(i)), std::string(1, letter)) << letter << i;
  EXPECT_TRUE(reg.ReadString("last") == "a" || reg.ReadString("last") == "b");
}

// Sets (or, with nullptr, unsets) an environment variable for its lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(RegistryStore, DefaultPathFollowsTheConfigurationDirectory) {
  const struct {
    const char* xdgConfigHome;
    const char* home;
    const char* path;
  } cases[] = {
      {"/x/cfg", "/home/ann", "/x/cfg/orvalen/registry"},
      {"/x/cfg/", "/home/ann", "/x/cfg/orvalen/registry"},
      {nullptr, "/home/ann", "/home/ann/.config/orvalen/registry"},
      {"", "/home/ann/", "/home/ann/.config/orvalen/registry"},
      {"relative/cfg", "/home/ann", "/home/ann/.config/orvalen/registry"},
  };
  for (const auto& c : cases) {
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(DefaultCurrentUserStorePath(), c.path)
        << (c.xdgConfigHome ? c.xdgConfigHome : "unset");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  ScopedEnv home("HOME", nullptr);
  std::string fromPasswordDatabase = DefaultCurrentUserStorePath();
  EXPECT_EQ(fromPasswordDatabase.rfind("/.config/orvalen/registry"),
            fromPasswordDatabase.size() - 25);
}

}  // namespace
}  // namespace orvalen::platform
