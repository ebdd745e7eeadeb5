// The registry access object over the current user's store: what is written
// comes back from a fresh load, names match whatever their case, keys open,
// enumerate and delete as programs expect of the registry.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

using orvalen::testing::TempDir;
using Names = std::vector<std::string>;

std::string Bytes(int from, int to) {
  std::string bytes;
  for (int b = from; b <= to; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(RegistryAccess, EveryValueKindSurvivesASaveAndAFreshLoad) {
  TempDir dir;
  std::string path = dir.File("not yet/registry");
  std::string anyName = Bytes(0, 255);
  anyName.erase(anyName.find('\\'), 1);  // every byte but the separator
  const std::string key = "\\Software\\" + anyName;
  const std::vector<std::pair<std::string, RegValue>> values = {
      {"text", {RegDataType::String, "plain text"}},
      {Bytes(0, 255), {RegDataType::String, Bytes(0, 255)}},
      {"", {RegDataType::String, "the key's default value"}},
      {"expand", {RegDataType::ExpandString, "%HOME%\\bin"}},
      {"binary", {RegDataType::Binary, Bytes(0, 255)}},
      {"empty binary", {RegDataType::Binary, ""}},
      {"integer", {RegDataType::Integer, "\xfe\xff\xff\xff"}},
      {"short integer", {RegDataType::Integer, "\x01\x02"}},
      {"qword", {RegDataType::QWord, "\x01\x02\x03\x04\x05\x06\x07\x80"}},
      {"multi", {RegDataType::MultiString, std::string("a\0b\0\0", 5)}},
      {"none", {RegDataType::None, ""}},
      {"unlisted kind", {static_cast<RegDataType>(0xFFFFFFFF), std::string("\0*", 2)}},
  };
  {
    Registry reg(CurrentUserStore(path));
    ASSERT_TRUE(reg.OpenKey(key, true));
    for (const auto& [name, value] : values) reg.WriteValue(name, value);
    reg.WriteInteger("int min", INT_MIN);
    reg.CloseKey();
  }
  for (unsigned char c : orvalen::testing::ReadFile(path))
    ASSERT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << "the store is not plain ASCII text";

  Registry fresh(CurrentUserStore(path));
  ASSERT_TRUE(fresh.OpenKey(key, false));
  Names expectedNames;
  for (const auto& [name, value] : values) {
    EXPECT_EQ(fresh.ReadValue(name), value) << name;
    expectedNames.push_back(name);
  }
  expectedNames.push_back("int min");
  EXPECT_EQ(fresh.GetValueNames(), expectedNames);
  EXPECT_EQ(fresh.ReadInteger("INTEGER"), -2);
  EXPECT_EQ(fresh.ReadInteger("int min"), INT_MIN);
  EXPECT_EQ(fresh.ReadString(Bytes(0, 255)), Bytes(0, 255));
}

TEST(RegistryAccess, KeysOpenRelativeToTheCurrentKeyUnlessTheyStartAtTheRoot) {
  TempDir dir;
  Registry reg(CurrentUserStore(dir.File("registry")));
  const struct {
    const char* key;
    bool canCreate;
    bool opens;
    const char* pathAfter;
  } steps[] = {
      {"A\\B", true, true, "A\\B"},
      {"C", true, true, "A\\B\\C"},
      {"\\A", false, true, "A"},
      {"Missing", false, false, "A"},
      {"\\\\A\\\\B\\", false, true, "A\\B"},  // empty names between separators drop out
      {"", false, true, "A\\B"},
      {"\\", false, true, ""},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(reg.OpenKey(step.key, step.canCreate), step.opens) << step.key;
    EXPECT_EQ(reg.CurrentPath(), step.pathAfter) << step.key;
  }
  std::string deepest = "\\A";
  for (std::size_t depth = 1; depth < kMaxKeyDepth; ++depth) deepest += "\\A";
  EXPECT_TRUE(reg.OpenKey(deepest, true));
  EXPECT_FALSE(reg.OpenKey("A", true));  // one deeper than the registry allows
  ASSERT_TRUE(reg.OpenKey("\\A", false));
  EXPECT_TRUE(reg.KeyExists("B\\C"));
  EXPECT_FALSE(reg.KeyExists("\\B"));
  EXPECT_FALSE(reg.OpenKeyReadOnly("B\\Missing"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("B"));
  EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
  EXPECT_THROW(reg.DeleteValue("x"), ERegistryException);
}

TEST(RegistryAccess, DeleteKeyRemovesTheWholeSubtree) {
  TempDir dir;
  std::string path = dir.File("registry");
  Registry reg(CurrentUserStore(path));
  for (const char* key : {"\\A\\B\\C\\D", "\\A\\B2", "\\A\\B\\C2"}) {
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString("v", key);
  }
  reg.CloseKey();
  ASSERT_TRUE(reg.OpenKey("A", false));
  EXPECT_TRUE(reg.DeleteKey("b"));
  EXPECT_FALSE(reg.DeleteKey("B"));
  EXPECT_FALSE(reg.DeleteKey("\\"));
  EXPECT_EQ(reg.GetKeyNames(), Names{"B2"});
  reg.CloseKey();

  Registry fresh(CurrentUserStore(path));
  EXPECT_FALSE(fresh.KeyExists("A\\B\\C\\D"));
  EXPECT_FALSE(fresh.KeyExists("A\\B"));
  ASSERT_TRUE(fresh.OpenKey("A\\B\\C", true));  // made anew, with nothing of the old one
  EXPECT_TRUE(fresh.GetKeyNames().empty());
  EXPECT_TRUE(fresh.GetValueNames().empty());
}

TEST(RegistryAccess, NamesMatchWhateverTheirCaseAndListInTheirFirstSpelling) {
  TempDir dir;
  std::string path = dir.File("registry");
  {
    Registry reg(CurrentUserStore(path));
    for (const char* key : {"\\K\\b", "\\k\\A", "\\K\\c"}) ASSERT_TRUE(reg.OpenKey(key, true));
    ASSERT_TRUE(reg.OpenKey("\\K", false));
    for (const char* name : {"z", "a", "m", "Z", "\xc9t\xe9", "\xe9t\xe9"})
      reg.WriteString(name, name);
    EXPECT_TRUE(reg.DeleteValue("A"));
    EXPECT_FALSE(reg.DeleteValue("a"));
    reg.WriteString("a", "again");
    reg.CloseKey();
  }
  Registry fresh(CurrentUserStore(path));
  ASSERT_TRUE(fresh.OpenKey("k", false));
  // Subkeys by name, values in the order first set; only ASCII letters fold
  // (the byte of É is not that of é in every code page).
  EXPECT_EQ(fresh.GetKeyNames(), (Names{"A", "b", "c"}));
  EXPECT_EQ(fresh.GetValueNames(), (Names{"z", "m", "\xc9t\xe9", "\xe9t\xe9", "a"}));
  EXPECT_EQ(fresh.ReadString("z"), "Z");
  EXPECT_EQ(fresh.ReadString("\xc9T\xe9"), "\xc9t\xe9");
  EXPECT_TRUE(fresh.OpenKey("\\", false));
  EXPECT_EQ(fresh.GetKeyNames(), Names{"K"});
}

// The message of the ERegistryException the call raises.
template <typename Call>
std::string Raised(Call call) {
  try {
    call();
  } catch (const ERegistryException& e) {
    return e.what();
  }
  return "no exception";
}

TEST(RegistryAccess, ReadsOfTheWrongKindRaise) {
  TempDir dir;
  Registry reg(CurrentUserStore(dir.File("registry")));
  const struct {
    RegValue value;
    const char* readString;  // nullptr: raises
    bool readsAsInteger;
  } cases[] = {
      {{RegDataType::String, "text"}, "text", false},
      {{RegDataType::ExpandString, "%PATH%"}, "%PATH%", false},
      {{RegDataType::Integer, std::string("\x07\0\0\0", 4)}, nullptr, true},
      {{RegDataType::Integer, "\x07"}, nullptr, false},
      {{RegDataType::Binary, "text"}, nullptr, false},
      {{RegDataType::MultiString, std::string("a\0\0", 3)}, nullptr, false},
      {{RegDataType::QWord, std::string(8, '\0')}, nullptr, false},
      {{RegDataType::None, ""}, nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.value.type));
    reg.WriteValue("n", c.value);
    if (c.readString)
      EXPECT_EQ(reg.ReadString("n"), c.readString);
    else
      EXPECT_EQ(Raised([&] { reg.ReadString("n"); }), "Invalid data type for 'n'");
    if (c.readsAsInteger)
      EXPECT_EQ(reg.ReadInteger("n"), 7);
    else
      EXPECT_EQ(Raised([&] { reg.ReadInteger("n"); }), "Invalid data type for 'n'");
  }
  EXPECT_EQ(reg.ReadString("absent"), "");
  EXPECT_FALSE(reg.ReadValue("absent"));
  EXPECT_EQ(Raised([&] { reg.ReadInteger("absent"); }), "Failed to get data for 'absent'");
}

TEST(RegistryAccess, ChangesReachOtherObjectsOnceSavedAndTheKeyOpensAgain) {
  TempDir dir;
  std::string path = dir.File("registry");
  Registry writer(CurrentUserStore(path)), reader(CurrentUserStore(path));
  ASSERT_TRUE(writer.OpenKey("App", true));
  writer.WriteString("v", "1");
  EXPECT_FALSE(reader.KeyExists("App"));
  writer.CloseKey();
  ASSERT_TRUE(reader.OpenKey("App", false));
  ASSERT_TRUE(reader.OpenKey("\\App", false));
  reader.WriteString("mine", "pending");
  ASSERT_TRUE(writer.OpenKey("App", false));
  writer.WriteString("v", "2");
  writer.CloseKey();
  // Opening a key reads the other's save and keeps this object's own change on top.
  ASSERT_TRUE(reader.OpenKey("\\App", false));
  EXPECT_EQ(reader.ReadString("v"), "2");
  EXPECT_EQ(reader.ReadString("mine"), "pending");
}

TEST(RegistryAccess, AStoreThatCannotBeSavedRaisesOnCloseAndTheDestructorTriesNoMore) {
  TempDir dir;
  orvalen::testing::WriteFile(dir.File("file"), "a file where a directory should be");
  std::filesystem::create_directories(dir.File("dir/registry/inside"));
  // A directory in the store's place is no store to keep aside: it stays as it is.
  for (std::string path : {dir.File("file/registry"), dir.File("dir/registry")}) {
    {
      Registry reg(CurrentUserStore(path));
      ASSERT_TRUE(reg.OpenKey("App", true));
      reg.WriteString("v", "1");
      EXPECT_EQ(Raised([&] { reg.CloseKey(); }).rfind("Cannot save the registry store " + path, 0),
                0u);
      ::testing::internal::CaptureStderr();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("dir/registry/inside")));
}

// Changes only count once CloseKey saved them: an object that goes away
// without it leaves the store as it was, also for another object on the same
// backend that saves later.
TEST(RegistryAccess, ChangesNoCloseKeySavedAreDiscardedWithTheObject) {
  TempDir dir;
  const std::string path = dir.File("registry");
  auto store = CurrentUserStore(path);
  {
    Registry reg(store);
    ASSERT_TRUE(reg.OpenKey("Kept", true));
    reg.WriteString("v", "saved");
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("Kept", false));
    reg.WriteString("v", "unsaved");
    ASSERT_TRUE(reg.OpenKey("\\Dropped", true));
    reg.WriteString("w", "unsaved");
  }
  const std::string onDisk = orvalen::testing::ReadFile(path);
  Registry later(store);
  EXPECT_FALSE(later.KeyExists("Dropped"));
  ASSERT_TRUE(later.OpenKey("Kept", false));
  EXPECT_EQ(later.ReadString("v"), "saved");
  later.CloseKey();
  EXPECT_EQ(orvalen::testing::ReadFile(path), onDisk);
}

}  // namespace
}  // namespace orvalen::platform
