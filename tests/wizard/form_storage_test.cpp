// The wizard's remembered settings against a store file of their own: what a
// first run leaves, how stored texts come back into the controls, the list's
// Count however damaged, and the one save per dialog.
#include "wizard/core/form_storage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace orvalen::wizard {
namespace {

using orvalen::testing::TempDir;
using platform::RegDataType;
using platform::Registry;
using Items = std::vector<std::string>;

const std::string kKey = "Software\\testorvalen";
const std::string kSection = "\\Software\\testorvalen\\AppExpert";
const std::string kList = "\\Software\\testorvalen\\AppExpert.ExtListBox_Items";

// The dialog's controls at their defaults; every setter call is logged.
class FakeControls : public StoredControls {
 public:
  FakeControls() {
    for (const char* name : {"cbFileMenu", "cbEditMenu", "cbWindowMenu", "cbHelpMenu", "cbMRU",
                             "cbMRUReg", "SingleInstanceApp"})
      checked[name] = false;
    for (const char* name : {"cbMDIApp", "cbStatusLine", "cbHints", "cbMDIform"})
      checked[name] = true;
  }
  bool HasControl(std::string_view name) const override {
    std::string n(name);
    return !missing.count(n) && (checked.count(n) || n == "AppPath" || n == "ExtListBox");
  }
  bool Checked(std::string_view name) const override { return checked.at(std::string(name)); }
  void SetChecked(std::string_view name, bool value) override {
    log.push_back(std::string(name) + (value ? "=True" : "=False"));
    checked[std::string(name)] = value;
  }
  std::string Text(std::string_view) const override { return appPath; }
  void SetText(std::string_view name, const std::string& text) override {
    log.push_back(std::string(name));
    appPath = text;
  }
  std::vector<std::string> Items(std::string_view) const override {
    if (itemsFail) throw std::runtime_error("the list cannot be read");
    return items;
  }
  void SetItems(std::string_view name, const std::vector<std::string>& list) override {
    log.push_back(std::string(name));
    items = list;
  }

  std::map<std::string, bool> checked;
  std::string appPath = "AppPath";
  std::vector<std::string> items;
  std::set<std::string> missing;
  bool itemsFail = false;
  std::vector<std::string> log;
};

class FormStorageTest : public ::testing::Test {
 protected:
  FormStorage Storage() const {
    std::string path = store;
    return FormStorage(
        [path] { return std::make_unique<Registry>(platform::CurrentUserStore(path)); }, kKey);
  }
  Registry Store() const { return Registry(platform::CurrentUserStore(store)); }
  // Values written as another run of the dialog would have left them.
  void Put(const std::string& key, const std::map<std::string, std::string>& values) {
    Registry reg = Store();
    ASSERT_TRUE(reg.OpenKey(key, true));
    for (const auto& [name, value] : values) reg.WriteString(name, value);
    reg.CloseKey();
  }
  // Removed as another run would have left it: only a CloseKey saves.
  void Delete(const std::string& key) {
    Registry reg = Store();
    reg.DeleteKey(key);
    reg.CloseKey();
  }
  FakeControls Restored(FakeControls controls = {}) {
    FormStorage storage = Storage();
    storage.Restore(controls);
    return controls;
  }
  // One run of the dialog: shown, edited by the user, closed.
  void Run(FakeControls& controls, const std::function<void(FakeControls&)>& edit = {}) {
    FormStorage storage = Storage();
    storage.Restore(controls);
    if (edit) edit(controls);
    storage.Save(controls);
  }

  TempDir dir;
  std::string store = dir.File("registry");
};

TEST_F(FormStorageTest, AFirstRunKeepsTheDefaultsAndSavesTwelveValuesWithoutAList) {
  FakeControls controls = Restored();
  EXPECT_EQ(controls.checked, FakeControls().checked);
  EXPECT_EQ(controls.appPath, "AppPath");
  EXPECT_TRUE(Store().KeyExists("\\" + kKey)) << "the restore creates the settings key";

  Run(controls);
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.GetValueNames(),
            (Items{"AppPath_Text", "cbFileMenu_Checked", "cbEditMenu_Checked", "cbHelpMenu_Checked",
                   "cbHints_Checked", "cbMDIApp_Checked", "cbMDIform_Checked", "cbMRU_Checked",
                   "cbStatusLine_Checked", "cbWindowMenu_Checked", "SingleInstanceApp_Checked",
                   "cbMRUReg_Checked"}));
  EXPECT_EQ(reg.ReadString("cbFileMenu_Checked"), "False");
  EXPECT_EQ(reg.ReadString("cbHints_Checked"), "True");
  EXPECT_EQ(reg.ReadString("AppPath_Text"), "AppPath");
  EXPECT_FALSE(reg.KeyExists(kList));
}

TEST_F(FormStorageTest, ACheckBoxTakesTrueOrFalseInAnyCaseAndBlanksAndIgnoresTheRest) {
  const struct {
    const char* stored;
    bool fileMenu;  // default unchecked
    bool hints;     // default checked
  } cases[] = {
      {"true", true, true},    {" True ", true, true},   {"\tTRUE\r\n", true, true},
      {"false", false, false}, {" False", false, false}, {"yes", false, true},
      {"", false, true},       {"1", false, true},       {"True.", false, true},
  };
  for (const auto& c : cases) {
    Put(kSection, {{"cbFileMenu_Checked", c.stored}, {"cbHints_Checked", c.stored}});
    FakeControls controls = Restored();
    EXPECT_EQ(controls.checked["cbFileMenu"], c.fileMenu) << "'" << c.stored << "'";
    EXPECT_EQ(controls.checked["cbHints"], c.hints) << "'" << c.stored << "'";
  }
}

TEST_F(FormStorageTest, TheDirectoryComesBackAndIsStoredWithoutSurroundingBlanks) {
  Put(kSection, {{"AppPath_Text", "  /home/me/app \t"}});
  FakeControls controls = Restored();
  EXPECT_EQ(controls.appPath, "/home/me/app");

  Run(controls, [](FakeControls& c) { c.appPath = "\t /srv/new app \r\n"; });
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.ReadString("AppPath_Text"), "/srv/new app");
}

// An absent Count, or one that is no positive number, leaves the list as it was.
TEST_F(FormStorageTest, TheListReadsCountEntriesBoundedByTheValuesTheKeyHolds) {
  const Items before = {"kept|*.k"};
  const struct {
    std::map<std::string, std::string> values;
    Items expected;
  } cases[] = {
      {{{"Count", "3"}, {"Item0", "A|*.a"}, {"Item2", " C |*.c "}}, {"A|*.a", "", " C |*.c "}},
      {{{"Count", " 2 "}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a", "B|*.b"}},
      {{{"Count", "1"}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a"}},
      {{{"Count", "4000000000"}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a", "B|*.b", ""}},
      {{{"Count", "2147483648"}, {"Item0", "A|*.a"}}, {"A|*.a", ""}},
      {{{"Count", "99999999999999999999"}, {"Item0", "A|*.a"}}, before},
      {{{"Count", "-5"}, {"Item0", "A|*.a"}}, before},
      {{{"Count", "0"}, {"Item0", "A|*.a"}}, before},
      {{{"Count", "abc"}, {"Item0", "A|*.a"}}, before},
      {{{"Count", "3x"}, {"Item0", "A|*.a"}}, before},
      {{{"Item0", "A|*.a"}}, before},
  };
  for (const auto& c : cases) {
    Delete(kList);
    Put(kList, c.values);
    FakeControls controls;
    controls.items = before;
    EXPECT_EQ(Restored(controls).items, c.expected) << c.values.begin()->second;
  }
}

TEST_F(FormStorageTest, EachSaveReplacesTheListAndAnEmptyListRemovesItsKey) {
  FakeControls controls;
  for (const Items& list : {Items{"A|*.a", "B|*.b", "C|*.c"}, Items{"Z|*.z"}})
    Run(controls, [&](FakeControls& c) { c.items = list; });
  {
    Registry reg = Store();
    ASSERT_TRUE(reg.OpenKey(kList, false));
    EXPECT_EQ(reg.GetValueNames(), (Items{"Count", "Item0"}));
    EXPECT_EQ(reg.ReadString("Count"), "1");
    EXPECT_EQ(reg.ReadString("Item0"), "Z|*.z");
  }
  Run(controls, [](FakeControls& c) { c.items.clear(); });
  EXPECT_FALSE(Store().KeyExists(kList));
  controls.items = {"stale"};
  EXPECT_EQ(Restored(controls).items, Items{"stale"}) << "the next run starts from its own list";
}

TEST_F(FormStorageTest, AValueOfAnotherKindIsSkippedAndTheLinesAfterItStillRestore) {
  Put(kSection,
      {{"AppPath_Text", "/p"}, {"cbEditMenu_Checked", "True"}, {"cbMRUReg_Checked", "True"}});
  Put(kList, {{"Count", "2"}, {"Item0", "A|*.a"}});
  {
    Registry reg = Store();
    ASSERT_TRUE(reg.OpenKey(kSection, false));
    reg.WriteInteger("cbFileMenu_Checked", 1);
    ASSERT_TRUE(reg.OpenKey(kList, false));
    reg.WriteValue("Item1", {RegDataType::Binary, "B"});
    reg.CloseKey();
  }
  FakeControls controls = Restored();
  EXPECT_FALSE(controls.checked["cbFileMenu"]);
  EXPECT_TRUE(controls.items.empty());
  EXPECT_EQ(controls.appPath, "/p");
  EXPECT_TRUE(controls.checked["cbEditMenu"]);
  EXPECT_TRUE(controls.checked["cbMRUReg"]) << "the line after the list";
}

TEST_F(FormStorageTest, RestoreSetsTheControlsInTheStoredOrderAndSkipsControlsTheDialogLacks) {
  std::map<std::string, std::string> flipped = {{"AppPath_Text", "/p"}};
  for (const auto& [name, value] : FakeControls().checked)
    flipped[name + "_Checked"] = value ? "False" : "True";
  Put(kSection, flipped);
  Put(kList, {{"Count", "1"}, {"Item0", "A|*.a"}});
  FakeControls controls;
  controls.missing = {"cbMDIform"};
  controls = Restored(controls);
  EXPECT_EQ(controls.log,
            (Items{"AppPath", "cbFileMenu=True", "cbEditMenu=True", "cbHelpMenu=True",
                   "cbHints=False", "cbMDIApp=False", "cbMRU=True", "cbStatusLine=False",
                   "cbWindowMenu=True", "ExtListBox", "SingleInstanceApp=True", "cbMRUReg=True"}));

  Delete(kSection);
  Run(controls);
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.GetValueNames().size(), 11u);
  EXPECT_FALSE(reg.ValueExists("cbMDIform_Checked"));
}

TEST_F(FormStorageTest, SaveRunsOnlyAfterARestoreAndOnlyOnce) {
  FakeControls controls;
  FormStorage storage = Storage();
  storage.Save(controls);
  EXPECT_FALSE(storage.Saved());
  EXPECT_FALSE(std::filesystem::exists(store)) << "no save before a restore";

  storage.Restore(controls);
  controls.checked["cbFileMenu"] = true;
  storage.Save(controls);
  EXPECT_TRUE(storage.Restored() && storage.Saved());
  controls.checked["cbFileMenu"] = false;
  storage.Save(controls);
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.ReadString("cbFileMenu_Checked"), "True");
}

// A regular file where the store's directory should be: no writing helps, not even as root.
TEST_F(FormStorageTest, AStoreThatCannotBeWrittenFailsTheSaveOnceAndTheRestoreQuietly) {
  orvalen::testing::WriteFile(dir.File("file"), "not a directory");
  store = dir.File("file/registry");
  FakeControls controls;
  FormStorage storage = Storage();
  ::testing::internal::CaptureStderr();
  storage.Restore(controls);
  EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(storage.Restored());
  EXPECT_EQ(controls.checked, FakeControls().checked);

  ::testing::internal::CaptureStderr();
  EXPECT_THROW(storage.Save(controls), platform::ERegistryException);
  EXPECT_TRUE(storage.Saved());
  EXPECT_NO_THROW(storage.Save(controls)) << "a failed save is not tried again";
  ::testing::internal::GetCapturedStderr();
}

// The list comes after most values in the stored order: by then the save has
// written eleven of them, and none may reach the store.
TEST_F(FormStorageTest, ASaveThatFailsHalfWayLeavesTheStoreExactlyAsItWas) {
  FakeControls controls;
  Run(controls, [](FakeControls& c) { c.items = {"A|*.a"}; });
  const std::string before = orvalen::testing::ReadFile(store);

  FormStorage storage = Storage();
  storage.Restore(controls);
  for (auto& [name, value] : controls.checked) value = !value;
  controls.appPath = "/elsewhere";
  controls.itemsFail = true;
  EXPECT_THROW(storage.Save(controls), std::runtime_error);
  EXPECT_EQ(orvalen::testing::ReadFile(store), before);
  controls.itemsFail = false;
  EXPECT_EQ(Restored().appPath, "AppPath") << "a later run reads the old values";
  EXPECT_EQ(orvalen::testing::ReadFile(store), before);
}

TEST(FormStorageKey, TheKeyIsNamedAfterTheRunningProgram) {
  EXPECT_EQ(FormStorage::DefaultKeyPath(), "Software\\orvalen_tests");
}

}  // namespace
}  // namespace orvalen::wizard
