// The wizard's pages are made when first shown, from the settings' value:
// a page made after the remembered settings were restored, or after settings
// were put in whole, shows what a page made before would show, and what is
// read, previewed and saved is the whole value whether or not its pages exist.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "generator/command_table.h"
#include "tests/wizard/wizard_support.h"
#include "wizard/app_expert_controls.h"
#include "wizard/preview_window.h"

namespace orvalen::wizard {
namespace {

using Remembered = std::vector<std::pair<std::string, std::string>>;

// A wizard over a store holding `values` (and `types`, the file types), with
// every answer to a question scripted; `early`: its pages made before it is
// shown, so the remembered settings go into made controls.
struct Opened {
  testing::WizardWorld world;
  std::unique_ptr<TAppExpert> form;
  Opened(const Remembered& values, const Remembered& types, bool early,
         std::deque<QMessageBox::StandardButton> answers = {}) {
    world.Remember(values);
    if (!types.empty()) world.Remember(types, "AppExpert.ExtListBox_Items");
    world.boxes.answers = std::move(answers);
    form = std::make_unique<TAppExpert>(nullptr, world.Services());
    if (early) form->Controls();
    form->show();
  }
};

// Each check box's state, checked and enabled, by name.
std::map<QString, std::pair<bool, bool>> BoxStates(TAppExpert& form) {
  std::map<QString, std::pair<bool, bool>> states;
  for (QCheckBox* box : form.findChildren<QCheckBox*>())
    states[box->objectName()] = {box->isChecked(), box->isEnabled()};
  return states;
}

std::vector<int> Made(const TAppExpert& form) {
  std::vector<int> made;
  for (int page = kTabLicence; page < kPageCount; ++page)
    if (form.PageBuilt(page)) made.push_back(page);
  return made;
}

TEST(LazyPages, OnlyTheNoticePageIsMadeUntilEachOtherIsShown) {
  Opened w({{"cbFileMenu_Checked", "True"}}, {}, false);  // every page is on the way
  auto* next = w.form->findChild<QPushButton*>("NextButton");
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(Made(*w.form), std::vector<int>{kTabLicence});
  EXPECT_TRUE(w.form->RawSettings().cbFileMenu);  // restored with its page not made
  std::vector<int> expected = {kTabLicence};
  for (int page = kMenus; page <= kHintTab; ++page) {
    QTest::mouseClick(next, Qt::LeftButton);
    expected.push_back(page);
    EXPECT_EQ(Made(*w.form), expected) << page;
  }
}

// Each case: the remembered values, the answers to the child form's
// question, and what the restored value holds before any page is made.
TEST(LazyPages, RestoredSettingsShowAlikeWhetherThePagesWereMadeBeforeOrAfter) {
  struct Case {
    const char* name;
    Remembered values, types;
    std::deque<QMessageBox::StandardButton> answers;
    std::function<void(const WizardSettings&)> check;
  };
  const std::vector<Case> cases = {
      {"recent list with its menu",
       {{"cbFileMenu_Checked", "True"}, {"cbMRU_Checked", "True"}, {"cbMRUReg_Checked", "True"}},
       {},
       {},
       [](const WizardSettings& s) { EXPECT_TRUE(s.cbFileMenu && s.cbMRU && s.cbMRUReg); }},
      {"recent list without its menu",
       {{"cbFileMenu_Checked", "False"}, {"cbMRU_Checked", "True"}},
       {},
       {},
       [](const WizardSettings& s) { EXPECT_TRUE(!s.cbFileMenu && s.cbMRU); }},
      {"no MDI frame",
       {{"cbMDIApp_Checked", "False"}, {"cbMDIform_Checked", "False"}},
       {},
       {},
       [](const WizardSettings& s) { EXPECT_FALSE(s.cbMDIApp || s.cbMDIform); }},
      {"child form refused, then kept",
       {{"cbMDIform_Checked", "False"}},
       {},
       {QMessageBox::Yes},
       [](const WizardSettings& s) { EXPECT_TRUE(s.cbMDIApp && s.cbMDIform); }},
      {"child form refused",
       {{"cbMDIform_Checked", "False"}},
       {},
       {QMessageBox::No},
       [](const WizardSettings& s) { EXPECT_TRUE(s.cbMDIApp && !s.cbMDIform); }},
      {"single instance, path, target and file types",
       {{"SingleInstanceApp_Checked", "True"},
        {"AppPath_Text", "/tmp/x"},
        {"Target_Text", "lcl"},
        {"cbHints_Checked", "False"}},
       {{"Count", "2"}, {"Item0", "Text|*.txt"}, {"Item1", "|*.log"}},
       {},
       [](const WizardSettings& s) {
         EXPECT_TRUE(s.SingleInstanceApp && !s.siDDE && !s.cbHints && s.Lazarus());
         EXPECT_EQ(s.AppPath, "/tmp/x");
         EXPECT_EQ(s.ExtListBox, (std::vector<std::string>{"Text|*.txt", "|*.log"}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened early(c.values, c.types, true, c.answers);
    Opened late(c.values, c.types, false, c.answers);
    ASSERT_EQ(Made(*late.form), std::vector<int>{kTabLicence});
    const WizardSettings restored = late.form->RawSettings();
    c.check(restored);
    EXPECT_EQ(restored, early.form->RawSettings());
    EXPECT_EQ(late.world.boxes.Texts(), early.world.boxes.Texts());

    Ui::TAppExpert& ui = late.form->Controls();
    EXPECT_EQ(late.form->RawSettings(), restored);
    EXPECT_EQ(BoxStates(*late.form), BoxStates(*early.form));
    EXPECT_EQ(ui.AppName->text(), early.form->Controls().AppName->text());
    EXPECT_EQ(ui.rbTargetLcl->isChecked(), restored.Lazarus());
    EXPECT_EQ(ui.ExtListBox->count(), static_cast<int>(restored.ExtListBox.size()));
  }
}

// Settings put in whole (an answer file's) into pages not made: the value
// takes them, the change is told on, the Preview reads them, and the pages
// made afterwards show them as the pages of a wizard that had them made show
// them (the File menu's Recent box disabled with the menu, say).
TEST(LazyPages, SettingsPutIntoPagesNotMadeAreToldOnAndShownWhenMade) {
  Opened late({}, {}, false);
  Opened early({}, {}, true);
  QSignalSpy changed(late.form.get(), &TAppExpert::SettingsChanged);

  // The File menu's first command and the Edit menu's first.
  const int fileNew = kGlyphId + MenuFirst[kFileMenu], editFirst = kGlyphId + MenuFirst[kEditMenu];
  WizardSettings s = late.form->RawSettings();
  s.cbFileMenu = s.cbEditMenu = s.cbMRU = true;
  s.AppName = "Editor";
  s.AppPath = late.world.dir.Str();
  s.Target = WizardSettings::kTargetLcl;
  s.ExtListBox = {"Text|*.txt"};
  s.Speedbar = {fileNew, kSpeedbarSpace, editFirst};
  for (Opened* w : {&late, &early}) w->form->ApplySettings(s);
  EXPECT_GT(changed.count(), 0);
  EXPECT_EQ(Made(*late.form), std::vector<int>{kTabLicence});
  EXPECT_EQ(late.form->RawSettings(), s);

  // The Preview reads the value with no page made.
  QTest::mouseClick(late.form->findChild<QPushButton*>("PreviewButton"), Qt::LeftButton);
  ASSERT_NE(late.form->Preview(), nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !late.form->Preview()->Files().empty(); }, 5000));
  EXPECT_EQ(std::filesystem::path(late.form->Preview()->Files().front().path).filename(),
            "Editor.lpr");

  WizardSettings fewer = s;
  fewer.cbFileMenu = false;
  const int before = changed.count();
  for (Opened* w : {&late, &early}) w->form->ApplySettings(fewer);
  EXPECT_GT(changed.count(), before);
  const WizardSettings lateNow = late.form->RawSettings(), earlyNow = early.form->RawSettings();
  EXPECT_FALSE(lateNow.cbFileMenu);
  EXPECT_EQ(lateNow.Speedbar, fewer.Speedbar);  // put after the menus, as the answers hold it
  EXPECT_EQ(lateNow, earlyNow);

  late.form->Controls();
  EXPECT_EQ(late.form->RawSettings(), earlyNow);
  EXPECT_EQ(BoxStates(*late.form), BoxStates(*early.form));
}

// Closing with no page made saves the whole value as restored, not the
// defaults of controls that were never made.
TEST(LazyPages, CancelWithNoPageMadeSavesTheWholeRestoredValue) {
  const Remembered values = {{"cbFileMenu_Checked", "True"},
                             {"cbMDIApp_Checked", "False"},
                             {"AppPath_Text", "/tmp/x"},
                             {"Target_Text", "lcl"}};
  Opened w(values, {{"Count", "1"}, {"Item0", "Text|*.txt"}}, false);
  QTest::keyClick(w.form.get(), Qt::Key_Escape);
  EXPECT_EQ(Made(*w.form), std::vector<int>{kTabLicence});
  auto reg = w.world.Registry();
  ASSERT_TRUE(reg->OpenKey("\\Software\\testorvalen\\AppExpert", false));
  EXPECT_EQ(reg->ReadString("cbFileMenu_Checked"), "True");
  EXPECT_EQ(reg->ReadString("cbMDIApp_Checked"), "False");
  EXPECT_EQ(reg->ReadString("AppPath_Text"), "/tmp/x");
  EXPECT_EQ(reg->ReadString("Target_Text"), "lcl");
  ASSERT_TRUE(reg->OpenKey("\\Software\\testorvalen\\AppExpert.ExtListBox_Items", false));
  EXPECT_EQ(reg->ReadString("Item0"), "Text|*.txt");
}

}  // namespace
}  // namespace orvalen::wizard
