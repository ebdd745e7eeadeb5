// The about box as a person meets it: its labels and panel filled from a
// program's version block, a click on a link, the OK button; and the
// system-information component's properties as a form designer sees them.
#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

#include "about/about_form.h"
#include "about/win_info.h"
#include "tests/about/about_sources.h"
#include "ui_about_form.h"

namespace orvalen::about {
namespace {

struct RecordingShell : platform::Shell {
  std::vector<std::pair<std::string, int>> opened;
  void Open(const std::string& target, int show) override { opened.emplace_back(target, show); }
};

struct RecordingBoxes : platform::MessageBoxes {
  QString title, text;
  QMessageBox::Icon icon{};
  QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon i, const QString& t,
                                   const QString& x, QMessageBox::StandardButtons) override {
    icon = i;
    title = t;
    text = x;
    return QMessageBox::Ok;
  }
};

TEST(AboutForm, ShowsTheProgramsBlockAndHandsALinkToTheShellUnchanged) {
  RecordingShell shell;
  TAboutForm form(nullptr, testing::AboutTestSources(ORVALEN_VERSION_CARRIER), shell);
  form.show();
  Ui::TAboutForm& ui = form.Controls();
  EXPECT_EQ(form.windowTitle(), "Orvalen Test");
  EXPECT_EQ(ui.ProductName->text(), "Orvalen");
  EXPECT_EQ(ui.VersionLabel->text(), "0.1.0");
  EXPECT_EQ(ui.EmailUrl->text(), "mailto:team@orvalen.dev?subject=Orvalen Test");
  EXPECT_TRUE(ui.M->toPlainText().startsWith("User: ada on  () in domain:\n"));
  EXPECT_EQ(form.size(), QSize(547, 326));

  QTest::mouseClick(ui.EmailUrl, Qt::LeftButton);
  QTest::mouseClick(ui.UrlLabel, Qt::LeftButton);
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0].first, "mailto:team@orvalen.dev?subject=Orvalen Test");
  EXPECT_EQ(shell.opened[0].second, platform::SW_SHOW);
  EXPECT_EQ(shell.opened[1].first, "https://orvalen.dev/");

  QTest::mouseClick(ui.OKButton, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(AboutForm, WithoutABlockTheLinksKeepTheirCaptionsAndAClickHandsThemOver) {
  RecordingShell shell;
  TAboutForm form(nullptr, testing::AboutTestSources(ORVALEN_VERSION_PLAIN), shell);
  form.show();
  EXPECT_TRUE(form.Controls().M->toPlainText().endsWith("\nNo FileVersionInfo found"));
  QTest::mouseClick(form.Controls().EmailUrl, Qt::LeftButton);
  QTest::mouseClick(form.Controls().UrlLabel, Qt::LeftButton);
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0].first, "Emailurl");
  EXPECT_EQ(shell.opened[1].first, "UrlLabel");

  form.AddVersionInfo(ORVALEN_VERSION_CARRIER, "040904E4");
  EXPECT_EQ(form.Controls().UrlLabel->text(), "https://orvalen.dev/");
}

TEST(WinInfo, PublishesItsPropertiesInOrderReadableAndWritable) {
  const char* names[] = {"About",
                         "MacAdress",
                         "BiosDate",
                         "BiosName",
                         "BiosVer",
                         "Workgroup",
                         "ComputerName",
                         "Comment",
                         "ProductId",
                         "ProductKey",
                         "WallPaperDir",
                         "VersionNumber",
                         "Version",
                         "SM_AccessoriesName",
                         "ProgramFilesPath",
                         "ProductType",
                         "ProductName",
                         "PF_AccessoriesName",
                         "OtherDevicePath",
                         "MediaPath",
                         "DevicePath",
                         "ConfigPath",
                         "CommonFilesDir",
                         "BootCount",
                         "ProgramFilesDir",
                         "SystemRoot",
                         "RegisteredOrganization",
                         "RegisteredOwner",
                         "UserName"};
  SystemSources sources;
  sources.machine = platform::LocalMachineView("/nonexistent-orvalen-root");
  sources.userName = [] { return std::optional<std::string>("ada"); };
  sources.netbios = [](platform::NCB*) { return platform::NRC_SYSTEM; };
  TWinInfo info(nullptr, sources);
  const QMetaObject* meta = info.metaObject();
  ASSERT_EQ(meta->propertyCount() - meta->propertyOffset(), 29);
  for (int i = 0; i < 29; ++i) {
    QMetaProperty p = meta->property(meta->propertyOffset() + i);
    EXPECT_STREQ(p.name(), names[i]);
    EXPECT_TRUE(p.isWritable() && p.isReadable()) << names[i];
  }
  EXPECT_EQ(info.property("UserName").toString(), "ada");
  EXPECT_EQ(info.property("BiosDate").toString(), "");
  info.setProperty("MacAdress", "00:A0:C9:14:C8:29");
  EXPECT_EQ(info.property("MacAdress").toString(), "00:A0:C9:14:C8:29");
}

TEST(WinInfo, TheAboutEditorIsAReadOnlyDialogEntryThatShowsTheCredit) {
  RecordingBoxes boxes;
  TAbout editor(boxes);
  EXPECT_EQ(editor.GetValue(), "(about)");
  EXPECT_EQ(editor.GetAttributes(), TAbout::paDialog | TAbout::paMultiSelect | TAbout::paReadOnly);
  editor.Edit();
  EXPECT_EQ(boxes.title, "About");
  EXPECT_EQ(boxes.icon, QMessageBox::Information);
  EXPECT_FALSE(boxes.text.isEmpty());
}

}  // namespace
}  // namespace orvalen::about
