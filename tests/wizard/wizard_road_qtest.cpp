// The whole road: a person walks the wizard to Finish inside a generation
// run, and the files it writes are the bytes orvalen-gen writes for the same
// choices given as arguments.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "run/generation_run.h"
#include "tests/wizard/wizard_support.h"
#include "wizard/app_expert_controls.h"
#include "wizard/app_expert_dialog.h"
#include "wizard/filter_dlg.h"

namespace orvalen::wizard {
namespace {

namespace fs = std::filesystem;

void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}

// Types text key by key, letters beyond ASCII included.
void Type(QWidget* edit, const QString& text) {
  for (QChar c : text)
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types one file type into the editor the Add button opens.
void AddFileType(TAppExpert& form, const QString& description, const QString& pattern) {
  testing::WhenModal<TFilterDlg>([=](TFilterDlg* dialog) {
    Type(dialog->findChild<QLineEdit*>("Description"), description);
    Type(dialog->findChild<QLineEdit*>("Extension"), pattern);
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  Click(form.Controls().AddButton);
}

TEST(WizardRoad, WhatThePersonChoseIsWhatOrvalenGenWritesForTheSameArguments) {
  testing::WizardWorld world;
  testing::TempDir byWizard, byCli;
  testing::WhenModal<TAppExpert>([&](TAppExpert* form) {
    Ui::TAppExpert& ui = form->Controls();
    Click(ui.NextButton);
    Click(ui.cbFileMenu);
    Click(ui.cbEditMenu);
    Click(ui.cbHelpMenu);
    Click(ui.cbMRU);
    Click(ui.NextButton);
    AddFileType(*form, "Text files", "*.txt");
    AddFileType(*form, QString::fromUtf8("Pr\u00e9cis"), "*.pre;*.prc");
    Click(ui.NextButton);
    // The speedbar, with the keyboard: the whole File menu (Enter on "File"),
    // a space, then About (Enter on it in the commands list).
    form->activateWindow();  // after the file-type editor; keys reach the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    ui.MenuList->setFocus();
    QTest::keyClick(ui.MenuList, Qt::Key_Home);  // File, and its commands listed
    QTest::keyClick(ui.MenuList, Qt::Key_Return);
    QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
    QTest::qWait(150);  // a button pressed by its access key shows itself pressed first
    ui.MenuList->setCurrentRow(3);
    ui.MenuItemList->setCurrentRow(3);
    QTest::keyClick(ui.MenuItemList, Qt::Key_Return);
    // With the mouse: a right press on Open removes the entry at the
    // insertion point (the end: nothing) and moves the point onto Open;
    // a second right press there removes Open.
    QTest::mouseClick(ui.Speedbar, Qt::RightButton, {}, QPoint(40, 10));
    QTest::mouseClick(ui.Speedbar, Qt::RightButton, {}, QPoint(40, 10));
    // The keyboard again: Home, then Delete removes New.
    ui.ScrollBox1->setFocus();
    QTest::keyClick(ui.ScrollBox1, Qt::Key_Home);
    QTest::keyClick(ui.ScrollBox1, Qt::Key_Delete);
    EXPECT_EQ(form->SpeedItems().Entries(),
              std::vector<int>({11102, 11103, 11104, 11105, 11106, -1, 11117}));
    Click(ui.NextButton);
    ui.AppName->selectAll();
    QTest::keyClicks(ui.AppName, "Editor");
    ui.AppPath->setText(QString::fromStdString(byWizard.Str()));
    Click(ui.cbHints);
    Click(ui.SingleInstanceApp);
    Click(ui.NextButton);
    Click(ui.NextButton);
    Click(ui.NextButton);  // Finish
  });
  RunAppExpert(AppExpertFactory(nullptr, world.Services()), nullptr);
  EXPECT_TRUE(world.boxes.shown.empty()) << world.boxes.Texts().join("\n").toStdString();

  auto r = testing::RunOrvalenGen(
      "-n Editor -m file,edit,help --recent -e 'Text files|*.txt' -e 'Pr\xC3\xA9"
      "cis|*.pre;*.prc' "
      "-s FileSave,FileSaveAs,FilePrint,FilePrintSetup,FileExit,-,HelpAbout "
      "--no-hints --single-instance " +
      byCli.Str());
  ASSERT_EQ(r.status, 0) << r.out;

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(byCli.Path()))
    names.push_back(entry.path().filename().string());
  ASSERT_EQ(names.size(), 10u);
  for (const auto& name : names) {
    ASSERT_TRUE(fs::exists(byWizard.Path() / name)) << name;
    EXPECT_EQ(testing::ReadFile((byWizard.Path() / name).string()),
              testing::ReadFile((byCli.Path() / name).string()))
        << name;
  }
  EXPECT_NE(testing::ReadFile((byWizard.Path() / "MAIN.TXT").string())
                .find("Pr\xE9"
                      "cis"),
            std::string::npos);
}

}  // namespace
}  // namespace orvalen::wizard
