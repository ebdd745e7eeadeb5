// The wizard's remembered settings against a store file of their own: what a
// first run leaves, how stored texts come back into the controls, the list's
// Count however damaged, and the one save per dialog.
#include "wizard/core/form_storage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
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

// The dialog's settings, new wizard's defaults; every change the restore
// reports is logged, as the dialog would fire the box's click handler.
struct FakeControls {
  WizardSettings settings;
  std::vector<std::string> log;

  void Changed(const SettingDescription& setting) {
    std::string entry(setting.control);
    if (setting.kind == SettingKind::Flag) entry += settings.*setting.flag ? "=True" : "=False";
    log.push_back(entry);
  }
  // The remembered check boxes' states.
  std::map<std::string, bool> Checked() const {
    std::map<std::string, bool> checked;
    for (const SettingDescription* d : StoredSettings())
      if (d->kind == SettingKind::Flag) checked[std::string(d->control)] = settings.*d->flag;
    return checked;
  }
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
    storage.Restore(controls.settings,
                    [&](const SettingDescription& setting) { controls.Changed(setting); });
    return controls;
  }
  // One run of the dialog: shown, edited by the user, closed.
  void Run(FakeControls& controls, const std::function<void(FakeControls&)>& edit = {}) {
    FormStorage storage = Storage();
    storage.Restore(controls.settings);
    if (edit) edit(controls);
    storage.Save(controls.settings);
  }

  TempDir dir;
  std::string store = dir.File("registry");
};

TEST_F(FormStorageTest, AFirstRunKeepsTheDefaultsAndSavesThirteenValuesWithoutAList) {
  FakeControls controls = Restored();
  EXPECT_EQ(controls.Checked(), FakeControls().Checked());
  EXPECT_EQ(controls.settings.AppPath, "AppPath");
  EXPECT_TRUE(Store().KeyExists("\\" + kKey)) << "the restore creates the settings key";

  Run(controls);
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.GetValueNames(),
            (Items{"AppPath_Text", "cbFileMenu_Checked", "cbEditMenu_Checked", "cbHelpMenu_Checked",
                   "cbHints_Checked", "cbMDIApp_Checked", "cbMDIform_Checked", "cbMRU_Checked",
                   "cbStatusLine_Checked", "cbWindowMenu_Checked", "SingleInstanceApp_Checked",
                   "cbMRUReg_Checked", "Target_Text"}));
  EXPECT_EQ(reg.ReadString("cbFileMenu_Checked"), "False");
  EXPECT_EQ(reg.ReadString("Target_Text"), "vcl");
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
    EXPECT_EQ(controls.Checked()["cbFileMenu"], c.fileMenu) << "'" << c.stored << "'";
    EXPECT_EQ(controls.Checked()["cbHints"], c.hints) << "'" << c.stored << "'";
  }
}

TEST_F(FormStorageTest, TheDirectoryComesBackAndIsStoredWithoutSurroundingBlanks) {
  Put(kSection, {{"AppPath_Text", "  /home/me/app \t"}});
  FakeControls controls = Restored();
  EXPECT_EQ(controls.settings.AppPath, "/home/me/app");

  Run(controls, [](FakeControls& c) { c.settings.AppPath = "\t /srv/new app \r\n"; });
  Registry reg = Store();
  ASSERT_TRUE(reg.OpenKey(kSection, false));
  EXPECT_EQ(reg.ReadString("AppPath_Text"), "/srv/new app");
}

// "Item0" to Count-1, an absent item in between empty, but never an entry past
// the last one stored. An absent Count, or one that is no positive number,
// leaves the list as it was.
TEST_F(FormStorageTest, TheListReadsCountEntriesButNonePastTheLastItemStored) {
  const Items before = {"kept|*.k"};
  const struct {
    std::map<std::string, std::string> values;
    Items expected;
  } cases[] = {
      {{{"Count", "3"}, {"Item0", "A|*.a"}, {"Item2", " C |*.c "}}, {"A|*.a", "", " C |*.c "}},
      {{{"Count", " 2 "}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a", "B|*.b"}},
      {{{"Count", "1"}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a"}},
      {{{"Count", "4000000000"}, {"Item0", "A|*.a"}, {"Item1", "B|*.b"}}, {"A|*.a", "B|*.b"}},
      {{{"Count", "2147483648"}, {"Item0", "A|*.a"}}, {"A|*.a"}},
      {{{"Count", "3"}, {"Item0", "A|*.a"}}, {"A|*.a"}},
      {{{"Count", "5"}, {"Item3", "D|*.d"}, {"Item9", "J|*.j"}}, {"", "", "", "D|*.d", ""}},
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
    controls.settings.ExtListBox = before;
    EXPECT_EQ(Restored(controls).settings.ExtListBox, c.expected) << c.values.begin()->second;
  }
}

TEST_F(FormStorageTest, EachSaveReplacesTheListAndAnEmptyListRemovesItsKey) {
  FakeControls controls;
  for (const Items& list : {Items{"A|*.a", "B|*.b", "C|*.c"}, Items{"Z|*.z"}})
    Run(controls, [&](FakeControls& c) { c.settings.ExtListBox = list; });
  {
    Registry reg = Store();
    ASSERT_TRUE(reg.OpenKey(kList, false));
    EXPECT_EQ(reg.GetValueNames(), (Items{"Count", "Item0"}));
    EXPECT_EQ(reg.ReadString("Count"), "1");
    EXPECT_EQ(reg.ReadString("Item0"), "Z|*.z");
  }
  Run(controls, [](FakeControls& c) { c.settings.ExtListBox.clear(); });
  EXPECT_FALSE(Store().KeyExists(kList));
  controls.settings.ExtListBox = {"stale"};
  EXPECT_EQ(Restored(controls).settings.ExtListBox, Items{"stale"})
      << "the next run starts from its own list";
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
  EXPECT_FALSE(controls.Checked()["cbFileMenu"]);
  EXPECT_TRUE(controls.settings.ExtListBox.empty());
  EXPECT_EQ(controls.settings.AppPath, "/p");
  EXPECT_TRUE(controls.Checked()["cbEditMenu"]);
  EXPECT_TRUE(controls.Checked()["cbMRUReg"]) << "the line after the list";
}

TEST_F(FormStorageTest, RestoreReportsEachChangedSettingInTheStoredOrder) {
  std::map<std::string, std::string> flipped = {{"AppPath_Text", "/p"}};
  for (const auto& [name, value] : FakeControls().Checked())
    flipped[name + "_Checked"] = value ? "False" : "True";
  flipped["cbMDIform_Checked"] = "True";  // as it is: no change to report
  Put(kSection, flipped);
  Put(kList, {{"Count", "1"}, {"Item0", "A|*.a"}});
  FakeControls controls = Restored();
  EXPECT_EQ(controls.log,
            (Items{"AppPath", "cbFileMenu=True", "cbEditMenu=True", "cbHelpMenu=True",
                   "cbHints=False", "cbMDIApp=False", "cbMRU=True", "cbStatusLine=False",
                   "cbWindowMenu=True", "ExtListBox", "SingleInstanceApp=True", "cbMRUReg=True"}));
}

// What the dialog changes while a box's handler runs (cbMDIApp checking
// cbMDIform) is what the next setting's restore starts from.
TEST_F(FormStorageTest, ASettingChangedByTheHandlerOfAnEarlierOneIsNotUndone) {
  Put(kSection, {{"cbMDIApp_Checked", "False"}});
  FakeControls controls;
  controls.settings.cbMDIform = false;
  FormStorage storage = Storage();
  storage.Restore(controls.settings, [&](const SettingDescription& setting) {
    if (setting.flag == &WizardSettings::cbMDIApp) controls.settings.cbMDIform = true;
  });
  EXPECT_TRUE(controls.settings.cbMDIform) << "no cbMDIform stored: the handler's value stays";
}

TEST_F(FormStorageTest, SaveRunsOnlyAfterARestoreAndOnlyOnce) {
  FakeControls controls;
  FormStorage storage = Storage();
  storage.Save(controls.settings);
  EXPECT_FALSE(storage.Saved());
  EXPECT_FALSE(std::filesystem::exists(store)) << "no save before a restore";

  storage.Restore(controls.settings);
  controls.settings.cbFileMenu = true;
  storage.Save(controls.settings);
  EXPECT_TRUE(storage.Restored() && storage.Saved());
  controls.settings.cbFileMenu = false;
  storage.Save(controls.settings);
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
  storage.Restore(controls.settings);
  EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(storage.Restored());
  EXPECT_EQ(controls.Checked(), FakeControls().Checked());

  ::testing::internal::CaptureStderr();
  EXPECT_THROW(storage.Save(controls.settings), platform::ERegistryException);
  EXPECT_TRUE(storage.Saved());
  EXPECT_NO_THROW(storage.Save(controls.settings)) << "a failed save is not tried again";
  ::testing::internal::GetCapturedStderr();
}

// A store that refuses one change: the first value of the list's key.
class FailingAtTheList : public platform::RegistryBackend {
 public:
  explicit FailingAtTheList(std::shared_ptr<platform::RegistryBackend> store)
      : store_(std::move(store)) {}
  bool ReadOnly() const override { return store_->ReadOnly(); }
  void Refresh() override { store_->Refresh(); }
  const platform::RegistryKey& Root() override { return store_->Root(); }
  void Apply(platform::RegistryChange change) override {
    if (change.kind == platform::RegistryChange::Kind::SetValue && change.name == "Count")
      throw platform::ERegistryException("Failed to set data for 'Count'");
    store_->Apply(std::move(change));
  }
  void Save() override { store_->Save(); }
  void Discard() noexcept override { store_->Discard(); }

 private:
  std::shared_ptr<platform::RegistryBackend> store_;
};

// The list comes after most values in the stored order: by then the save has
// written eleven of them, and none may reach the store.
TEST_F(FormStorageTest, ASaveThatFailsHalfWayLeavesTheStoreExactlyAsItWas) {
  FakeControls controls;
  Run(controls, [](FakeControls& c) { c.settings.ExtListBox = {"A|*.a"}; });
  const std::string before = orvalen::testing::ReadFile(store);

  FormStorage storage(
      [path = store] {
        return std::make_unique<Registry>(
            std::make_shared<FailingAtTheList>(platform::CurrentUserStore(path)));
      },
      kKey);
  storage.Restore(controls.settings);
  controls.settings.cbFileMenu = controls.settings.cbHints = !controls.settings.cbHints;
  controls.settings.AppPath = "/elsewhere";
  EXPECT_THROW(storage.Save(controls.settings), platform::ERegistryException);
  EXPECT_EQ(orvalen::testing::ReadFile(store), before);
  EXPECT_EQ(Restored().settings.AppPath, "AppPath") << "a later run reads the old values";
  EXPECT_EQ(orvalen::testing::ReadFile(store), before);
}

TEST(FormStorageKey, TheKeyIsNamedAfterTheRunningProgram) {
  EXPECT_EQ(FormStorage::DefaultKeyPath(), "Software\\orvalen_tests");
}

}  // namespace
}  // namespace orvalen::wizard
