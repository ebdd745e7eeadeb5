// The wizard dialog as a person meets it: walking the pages, the Finish
// checks, the option rules, the menus and the speedbar list, the file-type
// table, the links and buttons, and the settings it remembers.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "platform/qt/message_box.h"
#include "tests/wizard/wizard_support.h"
#include "wizard/app_expert_controls.h"
#include "wizard/directory_chooser.h"
#include "wizard/filter_dlg.h"

namespace orvalen::wizard {
namespace {

using testing::WizardWorld;

struct Wizard {
  WizardWorld world;
  std::unique_ptr<TAppExpert> form;
  Ui::TAppExpert* ui = nullptr;
  Wizard() { Open(); }
  // Shown first, so that the remembered settings are restored into the
  // settings' value; the pages are then made from it (as each would be when
  // first shown), for the tests that reach into them.
  void Open() {
    form = std::make_unique<TAppExpert>(nullptr, world.Services());
    form->show();
    ui = &form->Controls();
  }
  int Page() const { return ui->PageControl->currentIndex(); }
  void Next() { QTest::mouseClick(ui->NextButton, Qt::LeftButton); }
  void Back() { QTest::mouseClick(ui->PrevButton, Qt::LeftButton); }
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5)); }
  void GoTo(int page) {
    while (Page() < page) Next();
  }
};

TEST(AppExpert, OpensOnTheNoticePageWithItsFormDefaults) {
  Wizard w;
  EXPECT_EQ(w.form->windowTitle(), "Orvalen the intelligent MDI application creation tool");
  EXPECT_EQ(w.form->size(), QSize(527, 281));
  EXPECT_EQ(w.Page(), kTabLicence);
  EXPECT_EQ(w.ui->NextButton->text(), "&Next >");
  EXPECT_FALSE(w.ui->PrevButton->isEnabled());
  EXPECT_TRUE(w.form->PagePicture().isNull());
  EXPECT_EQ(w.ui->AppName->text(), "AppName");
  EXPECT_EQ(w.ui->AppPath->text(), "AppPath");
  EXPECT_TRUE(w.ui->cbMDIApp->isChecked() && w.ui->cbMDIform->isChecked());
  EXPECT_FALSE(w.ui->cbMRU->isEnabled() || w.ui->cbMRUReg->isEnabled());
  EXPECT_FALSE(w.ui->siDDE->isVisibleTo(w.form.get()));
  EXPECT_EQ(w.form->SpeedbarCount(), 0);
}

TEST(AppExpert, PagesOneToFourShowTheirPictureWithItsTransparentColourInTheFace) {
  Wizard w;
  w.ui->cbFileMenu->setChecked(true);  // every page is visited
  const QColor face = w.ui->Sample->palette().color(QPalette::Window);
  for (int page = kTabLicence; page <= kHintTab; w.Next(), ++page) {
    ASSERT_EQ(w.Page(), page);
    const bool shipped = page >= kMenus && page <= kAppInfo;
    EXPECT_EQ(w.form->PagePicture().isNull(), !shipped) << page;
    QImage drawn = w.ui->Sample->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(0, 71), face) << page;
    if (shipped) {
      EXPECT_EQ(w.form->PagePicture().size(), QSize(107, 72));
    }
  }
}

// Each walk: the menus checked, then the pages Next visits from Menus to the
// end, then the pages Back visits from AppInfo.
TEST(AppExpert, NextAndBackFollowTheMenusChosen) {
  struct Walk {
    bool file, edit, window, help;
    std::vector<int> forward, backFromAppInfo;
  };
  const std::vector<Walk> walks = {
      {false, false, false, false, {1, 4, 5, 6}, {1, 0}},
      {true, false, false, false, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 0}},
      {false, true, false, false, {1, 3, 4, 5, 6}, {3, 1, 0}},
      {false, false, true, false, {1, 3, 4, 5, 6}, {3, 1, 0}},
      {false, false, false, true, {1, 3, 4, 5, 6}, {3, 1, 0}},
  };
  for (const auto& walk : walks) {
    Wizard w;
    w.Next();
    w.ui->cbFileMenu->setChecked(walk.file);
    w.ui->cbEditMenu->setChecked(walk.edit);
    w.ui->cbWindowMenu->setChecked(walk.window);
    w.ui->cbHelpMenu->setChecked(walk.help);
    std::vector<int> forward = {w.Page()};
    for (std::size_t i = 1; i < walk.forward.size(); ++i) {
      EXPECT_EQ(w.ui->NextButton->text(), "&Next >");
      w.Next();
      forward.push_back(w.Page());
    }
    EXPECT_EQ(forward, walk.forward);
    EXPECT_EQ(w.ui->NextButton->text(), "&Finish");
    EXPECT_EQ(w.form->GetNextPage(Step::Next), StepTarget::Finish());
    w.Back();
    w.Back();
    ASSERT_EQ(w.Page(), kAppInfo);
    std::vector<int> back;
    while (w.ui->PrevButton->isEnabled()) {
      w.Back();
      back.push_back(w.Page());
    }
    EXPECT_EQ(back, walk.backFromAppInfo);
    EXPECT_EQ(w.form->GetNextPage(Step::Back), StepTarget::None());
  }
}

TEST(AppExpert, FinishRefusesNameAndPathInOrderAndClosesWithResultOne) {
  testing::TempDir target;
  struct Case {
    QString name, path, message;
  };
  const std::vector<Case> cases = {
      {"", "/nonexistent", "An application name is required!"},
      {"1Editor", "/nonexistent", "The application name is not a valid identifier."},
      {" Editor", target.Str().c_str(), "The application name is not a valid identifier."},
      {"begin", target.Str().c_str(),
       "The application name \"begin\" is a reserved word of Object Pascal."},
      {"Main", target.Str().c_str(),
       "The application name \"Main\" is the name of a unit the generated program uses."},
      {QString(62, 'a'), target.Str().c_str(), "The application name is too long"},
      {"Editor", "/nonexistent", "The path entered does not exist."},
      {"Editor", "", "The path entered does not exist."},
  };
  Wizard w;
  w.GoTo(kHintTab);
  for (const auto& c : cases) {
    w.world.boxes.shown.clear();
    w.ui->AppName->setText(c.name);
    w.ui->AppPath->setText(c.path);
    w.Next();
    ASSERT_EQ(w.world.boxes.shown.size(), 1u) << c.name.toStdString();
    const auto& box = w.world.boxes.shown[0];
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_TRUE(box.text.startsWith(c.message)) << box.text.toStdString();
    EXPECT_TRUE(w.form->isVisible());
    EXPECT_EQ(w.Page(), kHintTab);
  }
  w.ui->AppName->setText("Editor");
  w.ui->AppPath->setText(target.Str().c_str());
  // A file type the target's code page cannot hold is refused before anything is written.
  w.ui->cbFileMenu->setChecked(true);
  w.ui->ExtListBox->addItem(QString::fromUtf8("\u0416urnal|*.zh"));
  w.world.boxes.shown.clear();
  w.Next();
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  EXPECT_TRUE(w.world.boxes.shown[0].text.startsWith(QString::fromUtf8("The character \"\u0416\"")))
      << w.world.boxes.shown[0].text.toStdString();
  EXPECT_TRUE(w.form->isVisible());
  w.ui->ExtListBox->clear();
  w.Next();
  EXPECT_FALSE(w.form->isVisible());
  EXPECT_EQ(w.form->result(), mrOk);
}

TEST(AppExpert, CancelEscapeAndTheCloseButtonEndWithResultTwo) {
  for (int way = 0; way < 3; ++way) {
    Wizard w;
    w.Next();
    if (way == 0) w.Click(w.ui->CancelBtn);
    if (way == 1) QTest::keyClick(w.form.get(), Qt::Key_Escape);
    if (way == 2) w.form->close();
    EXPECT_FALSE(w.form->isVisible()) << way;
    EXPECT_EQ(w.form->result(), mrCancel) << way;
  }
}

TEST(AppExpert, OptionRulesKeepCheckedStatesAndAskAboutTheChildForm) {
  Wizard w;
  w.GoTo(kAppInfo);
  const QString question =
      "It is recommended that you allow the wizard to create the MDI child form\r\n"
      "which includes many management functions and inherit your custom \r\n"
      "MDI forms from this overriding the CREATENEWFILE, SAVEFILE, \r\n"
      "SAVEFILEAS methods to realize your forms as this child form has code\r\n"
      "which works with the window list and MRU file list\r\n"
      "Do you wish to include MDIChild form ?";
  w.Click(w.ui->cbMDIform);  // unchecked; the answer is No
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  EXPECT_EQ(w.world.boxes.shown[0].title, "Warning");
  EXPECT_EQ(w.world.boxes.shown[0].text, question);
  EXPECT_EQ(w.world.boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_FALSE(w.ui->cbMDIform->isChecked());
  w.world.boxes.answers = {QMessageBox::Yes};
  w.Click(w.ui->cbMDIform);  // checked again: no question
  w.Click(w.ui->cbMDIform);  // unchecked, Yes puts it back
  EXPECT_TRUE(w.ui->cbMDIform->isChecked());
  EXPECT_EQ(w.world.boxes.shown.size(), 2u);

  w.Click(w.ui->cbMDIApp);  // off: the child box is disabled, still checked
  EXPECT_FALSE(w.ui->cbMDIform->isEnabled());
  EXPECT_TRUE(w.ui->cbMDIform->isChecked());
  w.ui->cbMDIform->setChecked(false);
  w.Click(w.ui->cbMDIApp);  // on again: enabled and checked, no question
  EXPECT_TRUE(w.ui->cbMDIform->isEnabled() && w.ui->cbMDIform->isChecked());
  EXPECT_EQ(w.world.boxes.shown.size(), 2u);

  w.Click(w.ui->SingleInstanceApp);
  EXPECT_TRUE(w.ui->siDDE->isEnabled());
  EXPECT_FALSE(w.ui->siDDE->isChecked());

  w.Back();
  ASSERT_EQ(w.Page(), kMenus);
  w.Click(w.ui->cbFileMenu);
  w.Click(w.ui->cbMRU);
  EXPECT_TRUE(w.ui->cbMRUReg->isEnabled());
  w.Click(w.ui->cbFileMenu);  // off: Recent disabled but kept
  EXPECT_FALSE(w.ui->cbMRU->isEnabled());
  EXPECT_TRUE(w.ui->cbMRU->isChecked() && w.ui->cbMRUReg->isEnabled());
}

TEST(AppExpert, MenusFeedTheCommandListAndUncheckingOneDropsItsButtons) {
  Wizard w;
  w.Next();
  w.Click(w.ui->cbFileMenu);
  w.Click(w.ui->cbEditMenu);
  w.Click(w.ui->cbHelpMenu);
  w.GoTo(kSpeedbtns);
  auto commands = [&] {
    QStringList texts;
    for (int i = 0; i < w.ui->MenuItemList->count(); ++i)
      texts << w.ui->MenuItemList->item(i)->text();
    return texts;
  };
  w.ui->MenuList->setCurrentRow(2);  // Window, not chosen
  EXPECT_TRUE(commands().isEmpty());
  w.ui->MenuList->setCurrentRow(0);
  EXPECT_EQ(commands(), QStringList({"&New", "&Open...", "&Save", "Save &As...", "&Print...",
                                     "P&rint Setup...", "E&xit"}));
  w.form->MenuListDblClick();  // the whole File menu
  EXPECT_EQ(w.form->InsertIndex(), 7);
  w.Click(w.ui->Button3);  // a space
  w.ui->MenuList->setCurrentRow(1);
  w.form->MenuListDblClick();
  w.Click(w.ui->Button3);
  w.ui->MenuList->setCurrentRow(3);
  w.ui->MenuItemList->setCurrentRow(3);
  w.Click(w.ui->Button1);  // About
  ASSERT_EQ(w.form->SpeedbarCount(), 14);
  w.ui->MenuList->setCurrentRow(1);

  w.Back(), w.Back();
  w.Click(w.ui->cbEditMenu);  // unchecked: Undo, Cut, Copy and Paste go
  std::vector<int> expected = {11100, 11101, 11102, 11103, 11104, 11105, 11106, -1, -1, 11117};
  EXPECT_EQ(w.form->SpeedItems().Entries(), expected);
  EXPECT_EQ(w.form->InsertIndex(), 0);
  EXPECT_TRUE(commands().isEmpty());
  w.Click(w.ui->cbEditMenu);
  EXPECT_EQ(commands().size(), 4);
  EXPECT_EQ(w.form->SpeedItems().Entries(), expected);  // checking adds nothing
}

TEST(AppExpert, FileTypesAreAddedEditedMovedAndDeletedLikeTheTableSays) {
  Wizard w;
  auto items = [&] {
    QStringList texts;
    for (int i = 0; i < w.ui->ExtListBox->count(); ++i) texts << w.ui->ExtListBox->item(i)->text();
    return texts;
  };
  auto editor = [](const QString& description, const QString& pattern, bool ok) {
    testing::WhenModal<TFilterDlg>([=](TFilterDlg* dialog) {
      auto* d = dialog->findChild<QLineEdit*>("Description");
      auto* e = dialog->findChild<QLineEdit*>("Extension");
      d->setText(description);
      e->setText(pattern);
      QTest::keyClick(dialog, ok ? Qt::Key_Return : Qt::Key_Escape);
    });
  };
  editor("Text files", "*.txt;*.log", true);
  w.Click(w.ui->AddButton);
  editor("", "", true);
  w.Click(w.ui->AddButton);
  editor("Never", "*.no", false);
  w.Click(w.ui->AddButton);
  EXPECT_EQ(items(), QStringList({"Text files|*.txt;*.log", "|"}));
  EXPECT_EQ(w.ui->ExtListBox->selectedItems().size(), 0);

  w.Click(w.ui->EditButton);  // nothing selected: nothing happens
  w.ui->ExtListBox->setCurrentRow(1);
  editor("A|B", "C", true);
  w.Click(w.ui->EditButton);
  EXPECT_EQ(items()[1], "A|B|C");
  testing::WhenModal<TFilterDlg>([](TFilterDlg* dialog) {
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Description")->text(), "A");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Extension")->text(), "B|C");
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  w.Click(w.ui->EditButton);
  EXPECT_EQ(items()[1], "A|B|C");

  w.Click(w.ui->DownButton);  // the last one stays
  EXPECT_EQ(w.ui->ExtListBox->currentRow(), 1);
  w.Click(w.ui->UpButton);
  EXPECT_EQ(items(), QStringList({"A|B|C", "Text files|*.txt;*.log"}));
  EXPECT_EQ(w.ui->ExtListBox->currentRow(), 0);
  w.Click(w.ui->UpButton);  // the first one stays
  EXPECT_EQ(w.ui->ExtListBox->currentRow(), 0);
  w.Click(w.ui->DeleteButton);
  EXPECT_EQ(items(), QStringList({"Text files|*.txt;*.log"}));
  EXPECT_EQ(w.ui->ExtListBox->selectedItems().size(), 0);
  w.Click(w.ui->DeleteButton);  // nothing selected now
  EXPECT_EQ(items().size(), 1);
}

// The first text pixel of a row at or right of x, or -1.
int FirstInkFrom(const QImage& image, int rowTop, int x, QColor background) {
  for (; x < image.width(); ++x)
    for (int y = rowTop; y < rowTop + 16; ++y)
      if (image.pixelColor(x, y) != background) return x;
  return -1;
}

TEST(AppExpert, FileTypeRowsSplitAtTheHeadersFirstSection) {
  Wizard w;
  w.ui->cbFileMenu->setChecked(true);
  w.GoTo(kExtensions);
  w.ui->ExtListBox->addItem("Text files|*.txt;*.log");
  w.ui->ExtListBox->addItem("*.noBar");
  w.ui->ExtListBox->setCurrentRow(0);
  QWidget* rows = w.ui->ExtListBox->viewport();
  const QPalette& palette = rows->palette();
  QImage image = rows->grab().toImage();
  // The selected row is highlighted across both columns.
  EXPECT_EQ(image.pixelColor(rows->width() - 3, 8), palette.color(QPalette::Highlight));
  EXPECT_EQ(image.pixelColor(140, 8), palette.color(QPalette::Highlight));
  // An entry without a bar draws in the second column only.
  const QColor base = palette.color(QPalette::Base);
  EXPECT_EQ(FirstInkFrom(image, 16, 0, base), FirstInkFrom(image, 16, 150, base));
  EXPECT_GE(FirstInkFrom(image, 16, 0, base), 150);
  w.ui->ExtHeader->resizeSection(0, 200);
  image = rows->grab().toImage();
  EXPECT_GE(FirstInkFrom(image, 16, 0, base), 200);
}

TEST(AppExpert, LinksAboutAndBrowseGoThroughTheirServices) {
  Wizard w;
  QTest::mouseClick(w.ui->Label12, Qt::LeftButton);
  QTest::mouseClick(w.ui->Label14, Qt::LeftButton);
  EXPECT_EQ(w.world.shell.opened,
            std::vector<std::string>(
                {"mailto:team@orvalen.dev?subject=orvalen", "https://orvalen.dev/"}));
  w.Click(w.ui->Button4);
  EXPECT_EQ(w.world.aboutShown, 1);

  w.GoTo(kAppInfo);
  w.world.chooser.answer = [](const QString&) { return std::nullopt; };
  w.Click(w.ui->PathBrowse);
  EXPECT_EQ(w.world.chooser.startedAt, "AppPath");
  EXPECT_EQ(w.ui->AppPath->text(), "AppPath");
  w.world.chooser.answer = [](const QString&) { return QString("/tmp/chosen"); };
  w.Click(w.ui->PathBrowse);
  EXPECT_EQ(w.ui->AppPath->text(), "/tmp/chosen");

  // An error inside a handler is shown, and the dialog stays open.
  w.world.chooser.answer = [](const QString&) -> std::optional<QString> {
    throw std::runtime_error("The chooser broke");
  };
  w.Click(w.ui->PathBrowse);
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  EXPECT_EQ(w.world.boxes.shown[0].text, "The chooser broke");
  EXPECT_TRUE(w.form->isVisible());
}

TEST(AppExpert, TheChoosersOkCreatesAMissingDirectoryOnlyAfterYes) {
  testing::TempDir dir;
  testing::ScriptedBoxes boxes;
  const QString missing = QString::fromStdString(dir.File("a/b/c"));
  EXPECT_FALSE(AcceptDirectory(nullptr, boxes, missing));  // No
  EXPECT_FALSE(QFileInfo::exists(missing));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Confirm");
  EXPECT_EQ(boxes.shown[0].text, "The specified directory does not exist. Create it?");
  boxes.answers = {QMessageBox::Yes};
  EXPECT_TRUE(AcceptDirectory(nullptr, boxes, missing));
  EXPECT_TRUE(QFileInfo(missing).isDir());
  EXPECT_TRUE(AcceptDirectory(nullptr, boxes, missing));  // exists: no question
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(AppExpert, RemembersItsSettingsAcrossRunsAndSavesOnceOnTheWayOut) {
  Wizard first;
  QTest::keyClick(first.form.get(), Qt::Key_Escape);  // first run: the defaults are saved
  auto reg = first.world.Registry();
  ASSERT_TRUE(reg->OpenKey("\\Software\\testorvalen\\AppExpert", false));
  EXPECT_EQ(reg->GetValueNames().size(), 13u);
  EXPECT_EQ(reg->ReadString("cbMDIform_Checked"), "True");
  EXPECT_EQ(reg->ReadString("Target_Text"), "vcl");
  EXPECT_EQ(reg->ReadString("cbFileMenu_Checked"), "False");
  EXPECT_FALSE(reg->KeyExists("\\Software\\testorvalen\\AppExpert.ExtListBox_Items"));
  reg.reset();

  Wizard w;
  w.form.reset();
  w.world.Remember({{"cbFileMenu_Checked", "true"},
                    {"cbMRU_Checked", " True "},
                    {"cbHints_Checked", "yes"},
                    {"cbMDIform_Checked", "False"},
                    {"AppPath_Text", "  /tmp/x  "},
                    {"Target_Text", "lcl"}});
  w.world.Remember({{"Count", "3"}, {"Item0", "A|*.a"}, {"Item2", "C|*.c"}},
                   "AppExpert.ExtListBox_Items");
  w.Open();  // the question appears while the dialog is shown
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  EXPECT_EQ(w.world.boxes.shown[0].title, "Warning");
  EXPECT_TRUE(w.ui->cbFileMenu->isChecked() && w.ui->cbMRU->isEnabled());
  EXPECT_TRUE(w.ui->cbMRUReg->isEnabled());
  EXPECT_TRUE(w.ui->cbHints->isChecked());
  EXPECT_FALSE(w.ui->cbMDIform->isChecked());
  EXPECT_EQ(w.ui->AppPath->text(), "/tmp/x");
  EXPECT_TRUE(w.ui->rbTargetLcl->isChecked() && !w.ui->rbTargetVcl->isChecked());
  ASSERT_EQ(w.ui->ExtListBox->count(), 3);
  EXPECT_EQ(w.ui->ExtListBox->item(1)->text(), "");

  for (int i = 0; i < 3; ++i) {
    w.ui->ExtListBox->setCurrentRow(0);
    w.Click(w.ui->DeleteButton);
  }
  w.form->close();
  w.form.reset();  // destruction after the close does not save again
  reg = w.world.Registry();
  EXPECT_FALSE(reg->KeyExists("\\Software\\testorvalen\\AppExpert.ExtListBox_Items"));
  ASSERT_TRUE(reg->OpenKey("\\Software\\testorvalen\\AppExpert", false));
  EXPECT_EQ(reg->ReadString("cbMDIform_Checked"), "False");
  EXPECT_EQ(reg->ReadString("Target_Text"), "lcl");
}

TEST(AppExpert, AFailingSaveIsReportedAndTheDialogClosesAllTheSame) {
  Wizard w;
  w.form.reset();
  testing::WriteFile(w.world.dir.File("file"), "x");
  w.world.storePath = w.world.dir.File("file/registry");  // its directory is a file
  w.world.boxes.shown.clear();
  w.Open();
  w.Click(w.ui->CancelBtn);
  EXPECT_FALSE(w.form->isVisible());
  ASSERT_FALSE(w.world.boxes.shown.empty());
  EXPECT_EQ(w.world.boxes.shown.back().icon, QMessageBox::Critical);
}

// Saving is a step of closing: a dialog destroyed while still open saves
// nothing and opens no box, even where the save would fail.
TEST(AppExpert, ADialogDestroyedWithoutClosingSavesNothingAndShowsNothing) {
  for (const bool brokenStore : {false, true}) {
    Wizard w;
    w.form.reset();
    if (brokenStore) {
      testing::WriteFile(w.world.dir.File("file"), "x");
      w.world.storePath = w.world.dir.File("file/registry");  // its directory is a file
    }
    w.Open();
    w.Click(w.ui->cbHints);
    w.world.boxes.shown.clear();
    w.form.reset();
    EXPECT_TRUE(w.world.boxes.shown.empty()) << brokenStore;
    if (brokenStore) continue;
    auto reg = w.world.Registry();
    EXPECT_FALSE(reg->OpenKey("\\Software\\testorvalen\\AppExpert", false) &&
                 !reg->GetValueNames().empty());
  }
}

// The recommendation question shows its six lines as the text breaks them:
// the box is wide enough for the longest, so none wraps.
TEST(AppExpert, TheMDIChildQuestionShowsExactlyTheLinesOfItsText) {
  Wizard w;
  w.GoTo(kAppInfo);
  w.Click(w.ui->cbMDIform);
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  const auto& asked = w.world.boxes.shown[0];
  auto box =
      platform::MakeMessageBox(w.form.get(), asked.icon, asked.title, asked.text, asked.buttons);
  box->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
  auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  ASSERT_NE(label, nullptr);
  const QFontMetrics metrics(label->font());
  const QStringList lines = QString(asked.text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 6);
  const QRect laidOut = metrics.boundingRect(QRect(0, 0, label->contentsRect().width(), 10000),
                                             Qt::TextWordWrap, lines.join(QLatin1Char('\n')));
  EXPECT_EQ(laidOut.height() / metrics.lineSpacing(), 6) << label->contentsRect().width();
  box->close();
}

TEST(AppExpert, EveryControlIsReachedWithTabInOrderAndAccessKeysWork) {
  Wizard w;
  const std::vector<std::pair<int, QStringList>> pages = {
      {kMenus, {"cbFileMenu", "cbEditMenu", "cbWindowMenu", "cbHelpMenu", "cbMRU"}},
      {kExtensions,
       {"ExtListBox", "AddButton", "EditButton", "DeleteButton", "UpButton", "DownButton"}},
      {kSpeedbtns, {"MenuList", "MenuItemList", "Button1", "Button2", "Button3", "ScrollBox1"}},
      {kAppInfo,
       {"AppName", "AppPath", "PathBrowse", "cbMDIApp", "cbStatusLine", "cbHints", "cbMDIform",
        "SingleInstanceApp"}},
  };
  w.form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.form.get()));
  w.Next();
  w.Click(w.ui->cbFileMenu);
  for (const auto& [page, order] : pages) {
    w.GoTo(page);
    ASSERT_EQ(w.Page(), page);
    QWidget* first = w.form->findChild<QWidget*>(order[0]);
    first->setFocus(Qt::TabFocusReason);
    QStringList reached;
    for (int i = 0; i < order.size() + 5; ++i) {
      ASSERT_NE(QApplication::focusWidget(), nullptr);
      reached << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList expected = order;
    expected << "PreviewButton"
             << "PrevButton"
             << "NextButton"
             << "CancelBtn"
             << "Button4";
    EXPECT_EQ(reached, expected) << page;
  }
  // Access keys: Alt+B goes back to Menus, where Alt+E checks the Edit menu.
  // A button pressed by its access key shows itself pressed for a moment first.
  auto alt = [](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    QTest::qWait(150);
  };
  alt(Qt::Key_B), alt(Qt::Key_B), alt(Qt::Key_B);
  ASSERT_EQ(w.Page(), kMenus);
  alt(Qt::Key_E);
  EXPECT_TRUE(w.ui->cbEditMenu->isChecked());
  alt(Qt::Key_N);
  EXPECT_EQ(w.Page(), kExtensions);
}

}  // namespace
}  // namespace orvalen::wizard
