// The Preview window shows the generator's own bytes for the wizard's current
// choices, follows them as they change, and carries them to and from answer
// files.
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

#include "generator/answers.h"
#include "generator/command_table.h"
#include "run/generation_run.h"
#include "tests/wizard/wizard_support.h"
#include "ui_preview_window.h"
#include "wizard/app_expert_controls.h"
#include "wizard/preview_window.h"

namespace orvalen::wizard {
namespace {

void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}

// The preview's files against those a run then writes for the same choices.
void ExpectPreviewIsTheRun(TAppExpert& form, const char* step) {
  const auto& shown = form.Preview()->Files();
  auto written = GenerateApplication(form.Settings());
  ASSERT_EQ(shown.size(), written.files.size()) << step;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].path, written.files[i]) << step;
    EXPECT_EQ(shown[i].bytes, testing::ReadFile(written.files[i])) << step << " " << shown[i].path;
  }
}

TEST(Preview, ShowsWhatARunThenWritesAndFollowsEachChangedChoice) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  form.show();
  Ui::TAppExpert& ui = form.Controls();
  ui.AppPath->setText(QString::fromStdString(world.dir.File("app")));
  std::filesystem::create_directory(world.dir.File("app"));
  Click(ui.PreviewButton);
  PreviewWindow* preview = form.Preview();
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(preview->isVisible());
  ExpectPreviewIsTheRun(form, "defaults");  // the run also puts the files on disk

  const struct {
    const char* step;
    std::function<void()> change;
  } steps[] = {
      {"File menu", [&] { Click(ui.cbFileMenu); }},
      {"recent list", [&] { Click(ui.cbMRU); }},
      {"name", [&] { QTest::keyClicks(ui.AppName, "Ed"); }},
      {"hints off", [&] { Click(ui.cbHints); }},
      {"answers applied",
       [&] {
         WizardSettings s = form.RawSettings();
         s.ExtListBox = {"Caf\u00e9|*.cafe"};
         s.Speedbar = {kGlyphId, kSpeedbarSpace, kGlyphId + 1};
         s.SingleInstanceApp = true;
         form.ApplySettings(s);
       }},
  };
  for (const auto& step : steps) {
    const int runs = preview->Runs();
    step.change();
    // Exactly one run follows, however many keys a change took.
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->Runs() == runs + 1; }, 2000))
        << step.step << ": " << preview->Runs() - runs << " runs";
    QTest::qWait(250);
    EXPECT_EQ(preview->Runs(), runs + 1) << step.step;
    // The files the run before wrote are marked as replaced; a renamed project file is new.
    for (const auto& file : preview->Files())
      EXPECT_EQ(file.exists, std::filesystem::exists(file.path)) << step.step << file.path;
    EXPECT_TRUE(preview->Files().at(1).exists) << step.step;  // MAIN.PAS
    ExpectPreviewIsTheRun(form, step.step);
  }
  QTreeWidgetItem* first = preview->Controls().FileList->topLevelItem(0);
  EXPECT_EQ(first->text(0), "AppNameEd.DPR");
  EXPECT_EQ(first->text(2), "replaces; kept as AppNameEd.~DP");
  EXPECT_EQ(first->text(1), QLocale().toString(qulonglong(preview->Files()[0].bytes.size())));
  // The binary form files show what they hold and their text form, é decoded.
  for (int row = 0; row < static_cast<int>(preview->Files().size()); ++row) {
    if (preview->Files()[static_cast<std::size_t>(row)].path.ends_with("MAIN.DFM")) {
      QString text = preview->FileText(row);
      EXPECT_TRUE(text.contains("root object MainFormAppNameEd: TMainFormAppNameEd."))
          << text.toStdString();
      EXPECT_TRUE(text.contains(QString::fromUtf8("Filter = 'Caf\u00e9|*.cafe'")));
    }
  }
  // A name the wizard would refuse: nothing listed, and the reason.
  ui.AppName->setText("begin");
  ASSERT_TRUE(QTest::qWaitFor([&] { return preview->Files().empty(); }, 2000));
  EXPECT_TRUE(preview->Controls().StatusLabel->text().contains("is a reserved word"));
}

// A run that would stop part-way: the preview names the file it stops at and
// the files left on disk before it, and a real run then leaves exactly those.
TEST(Preview, SaysWhatARunThatFailsPartWayWouldLeaveOnDisk) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  form.show();
  Ui::TAppExpert& ui = form.Controls();
  const std::string target = world.dir.File("app");
  std::filesystem::create_directories(target + "/MAIN.PAS");  // the main unit cannot be created
  testing::WriteFile(target + "/AppName.DPR", "old");
  ui.AppPath->setText(QString::fromStdString(target));
  Click(ui.PreviewButton);
  PreviewWindow* preview = form.Preview();
  const QString status = preview->Controls().StatusLabel->text();
  EXPECT_TRUE(status.contains("stop at MAIN.PAS")) << status.toStdString();
  EXPECT_TRUE(
      status.contains("Left on disk: AppName.DPR (replacing the one there, kept as "
                      "AppName.~DP)."))
      << status.toStdString();
  EXPECT_FALSE(status.contains("Nothing would be written")) << status.toStdString();
  QTreeWidget* list = preview->Controls().FileList;
  EXPECT_EQ(list->topLevelItem(1)->text(2), "cannot be written");
  EXPECT_EQ(list->topLevelItem(2)->text(2), "not reached");

  EXPECT_ANY_THROW(GenerateApplication(form.Settings()));
  std::vector<std::string> onDisk;
  for (const auto& entry : std::filesystem::directory_iterator(target))
    if (entry.is_regular_file()) onDisk.push_back(entry.path().filename());
  std::sort(onDisk.begin(), onDisk.end());
  EXPECT_EQ(onDisk, (std::vector<std::string>{"AppName.DPR", "AppName.~DP"}));

  // With the obstacle gone the run would go through, and the text says so.
  std::filesystem::remove(target + "/MAIN.PAS");
  ui.AppName->setText("Editor");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !preview->Controls().StatusLabel->text().contains("stop at"); }, 2000))
      << preview->Controls().StatusLabel->text().toStdString();
}

// Wizard -> answer file -> orvalen-gen writes the bytes the wizard's own run
// writes; the file loads back into another wizard as the same choices, and a
// bad file changes nothing and names its fault.
TEST(Preview, AnswerFilesCarryTheChoicesToOrvalenGenAndBack) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  form.show();
  Click(form.Controls().PreviewButton);
  WizardSettings chosen = form.RawSettings();
  chosen.cbFileMenu = chosen.cbEditMenu = chosen.cbMRU = true;
  // The editor's edge entries too: an empty description, empty patterns, a
  // second "|" in the patterns.
  chosen.ExtListBox = {"Pr\u00e9cis|*.pre;*.prc", "Text|*.txt", "|*.any", "Notes|", "|", "A|B|C"};
  chosen.Speedbar = {kGlyphId + 1, kSpeedbarSpace, kGlyphId + 8};
  chosen.AppName = "Editor";
  chosen.cbStatusLine = false;
  chosen.CodePage = 1250;
  // The second: the File menu turned off again, its recent list and file
  // types kept by the wizard though not generated.
  WizardSettings fileOff = chosen;
  fileOff.cbFileMenu = false;
  fileOff.Speedbar = {kGlyphId + 8};
  const std::string answers = world.dir.File("editor.json");
  for (WizardSettings* choices : {&fileOff, &chosen}) {
    choices->AppPath = world.dir.File(choices == &chosen ? "wizard" : "wizard-file-off");
    std::filesystem::create_directory(choices->AppPath);
    form.ApplySettings(*choices);
    ASSERT_EQ(form.RawSettings().Speedbar, choices->Speedbar);
    ASSERT_TRUE(form.Preview()->SaveAnswers(QString::fromStdString(answers)));
    auto byWizard = GenerateApplication(form.Settings());
    const std::string cliDir = choices->AppPath + "-cli";
    auto r = testing::RunOrvalenGen("--answers " + testing::Quote(answers) + " " +
                                    testing::Quote(cliDir));
    ASSERT_EQ(r.status, 0) << r.out;
    for (const auto& file : byWizard.files) {
      const std::string name = std::filesystem::path(file).filename();
      EXPECT_EQ(testing::ReadFile(cliDir + "/" + name), testing::ReadFile(file)) << name;
    }
  }

  TAppExpert other(nullptr, world.Services());
  other.show();
  Click(other.Controls().PreviewButton);
  ASSERT_TRUE(other.Preview()->LoadAnswers(QString::fromStdString(answers)));
  EXPECT_EQ(other.RawSettings(), form.RawSettings());

  testing::WriteFile(world.dir.File("bad.json"),
                     R"({"format": "orvalen-answers", "version": 1, "menus": {"fiel": true}})");
  EXPECT_FALSE(other.Preview()->LoadAnswers(QString::fromStdString(world.dir.File("bad.json"))));
  ASSERT_FALSE(world.boxes.shown.empty());
  EXPECT_TRUE(world.boxes.shown.back().text.startsWith(
      QString::fromStdString(world.dir.File("bad.json") + ": menus.fiel: unknown key")));
  EXPECT_EQ(other.RawSettings(), form.RawSettings());
}

// The Extras page's target, chosen by its access keys, is what the run and the
// Preview follow: the Lazarus project's files, its UTF-8 text decoded as such.
TEST(Preview, ShowsTheLazarusFilesWhenTheTargetIsChosen) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Ui::TAppExpert& ui = form.Controls();
  ui.AppPath->setText(QString::fromStdString(world.dir.File("app")));
  std::filesystem::create_directory(world.dir.File("app"));
  ui.PageControl->setCurrentWidget(ui.ExtrasTab);
  Click(ui.PreviewButton);
  PreviewWindow* preview = form.Preview();
  ASSERT_NE(preview, nullptr);
  const struct {
    Qt::Key key;
    const char* target;
    const char* projectFile;
  } choices[] = {{Qt::Key_L, "lcl", "AppName.lpr"}, {Qt::Key_W, "vcl", "AppName.DPR"}};
  for (const auto& choice : choices) {
    const int runs = preview->Runs();
    form.activateWindow();
    QTest::keyClick(&form, choice.key, Qt::AltModifier);
    // A button pressed by its access key clicks a moment later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.Settings().Target == choice.target; }, 2000))
        << choice.target;
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->Runs() == runs + 1; }, 2000))
        << choice.target << ": " << preview->Runs() - runs << " runs";
    EXPECT_EQ(preview->Controls().FileList->topLevelItem(0)->text(0), choice.projectFile);
    ExpectPreviewIsTheRun(form, choice.target);
  }
  // Back to Lazarus: the child unit's copyright sign reads as itself, not as two characters.
  QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !preview->Files().empty() && preview->Files()[0].path.ends_with(".lpr"); },
      2000));
  bool sawChild = false;
  for (int row = 0; row < static_cast<int>(preview->Files().size()); ++row) {
    const std::string& path = preview->Files()[static_cast<std::size_t>(row)].path;
    EXPECT_FALSE(path.ends_with(".DFM")) << path;
    if (!path.ends_with("MDICHILD.PAS")) continue;
    sawChild = true;
    EXPECT_TRUE(preview->FileText(row).contains(QString::fromUtf8("\u00a9 "))) << path;
  }
  EXPECT_TRUE(sawChild);
}

}  // namespace
}  // namespace orvalen::wizard
