// The file-type editor as a person meets it through EditFilter: the modal
// dialog opens on an entry, keys go to whatever has the focus, Enter and Esc
// close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "ui_filter_dlg.h"
#include "wizard/filter_dlg.h"

namespace orvalen::wizard {
namespace {

using Person = std::function<void(TFilterDlg&)>;

// Texts compared as UTF-8, so that a failure shows them readably.
std::string Utf8(const QString& text) {
  return text.toStdString();
}

QWidget* Focus() {
  return QApplication::focusWidget();
}

void Type(const QString& text) {
  QTest::keyClicks(Focus(), text);
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(Focus(), key, modifiers);
}

// Runs EditFilter on `entry` under `parent` and lets `person` work the
// editor once it is up and has the focus; the person must close it. An editor
// that does not come up, or stays open, fails the test rather than hanging it.
bool EditLikeAPerson(QWidget& parent, QString& entry, const Person& person) {
  bool met = false;
  int tries = 400;
  std::function<void()> look = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<TFilterDlg*>(modal);
    if (!dialog || !dialog->isActiveWindow()) {
      if (--tries > 0) return QTimer::singleShot(5, look);
      ADD_FAILURE() << "no active editor";
      if (modal) modal->close();
      return;
    }
    met = true;
    person(*dialog);
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the editor is still open";
      dialog->reject();
    }
  };
  QTimer::singleShot(0, look);
  const bool ok = EditFilter(&parent, entry);
  EXPECT_TRUE(met) << "the editor never came up";
  EXPECT_TRUE(parent.findChildren<TFilterDlg*>().isEmpty()) << "the editor outlived its run";
  return ok;
}

struct EditCase {
  const char* what;
  QString entry;
  QString description, extension;  // what the edits show when the editor opens
  Person person;
  bool ok;
  QString after;  // the entry when EditFilter returns
};

TEST(FilterDlg, OpensTheEntrySplitAndGivesBackTheEditsOnOkOnly) {
  const QString a255(255, 'a'), c44(44, 'c');
  const std::vector<EditCase> cases = {
      {"OK with both edits empty", "", "", "", [](TFilterDlg&) { Press(Qt::Key_Return); }, true,
       "|"},
      {"a bar typed into the description", "", "", "",
       [](TFilterDlg&) {
         Type("A|B");
         Press(Qt::Key_Tab);
         Type("C");
         Press(Qt::Key_Enter);
       },
       true, "A|B|C"},
      {"reopened, the bar moved into the pattern", "A|B|C", "A", "B|C",
       [](TFilterDlg&) { Press(Qt::Key_Return); }, true, "A|B|C"},
      {"Esc after typing", "Text files|*.txt", "Text files", "*.txt",
       [](TFilterDlg&) {
         Type(" and more");
         Press(Qt::Key_Escape);
       },
       false, "Text files|*.txt"},
      {"a click on Cancel", "Text files|*.txt", "Text files", "*.txt",
       [](TFilterDlg& d) {
         Type("X");
         QTest::mouseClick(d.Controls().Button2, Qt::LeftButton);
       },
       false, "Text files|*.txt"},
      {"a click on OK keeps the spaces", " Text ", " Text ", "",
       [](TFilterDlg& d) { QTest::mouseClick(d.Controls().Button1, Qt::LeftButton); }, true,
       " Text |"},
      {"no bar, 300 characters: the 256th is lost", a255 + "b" + c44, a255, c44,
       [](TFilterDlg&) { Press(Qt::Key_Return); }, true, a255 + "|" + c44},
      {"no bar, 200 characters", QString(200, 'x'), QString(200, 'x'), "",
       [](TFilterDlg&) { Press(Qt::Key_Return); }, true, QString(200, 'x') + "|"},
      {"multi-byte text", QString::fromUtf8("Texte \xC3\xA9t\xC3\xA9|*.\xE2\x82\xAC"),
       QString::fromUtf8("Texte \xC3\xA9t\xC3\xA9"), QString::fromUtf8("*.\xE2\x82\xAC"),
       [](TFilterDlg&) { Press(Qt::Key_Return); }, true,
       QString::fromUtf8("Texte \xC3\xA9t\xC3\xA9|*.\xE2\x82\xAC")},
  };
  QWidget page;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QString entry = c.entry;
    const bool ok = EditLikeAPerson(page, entry, [&](TFilterDlg& d) {
      EXPECT_EQ(Utf8(d.Controls().Description->text()), Utf8(c.description));
      EXPECT_EQ(Utf8(d.Controls().Extension->text()), Utf8(c.extension));
      EXPECT_EQ(Focus(), d.Controls().Description);
      c.person(d);
    });
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(Utf8(entry), Utf8(c.after));
  }
}

TEST(FilterDlg, EachEditTakesAtMost255TypedCharacters) {
  QWidget page;
  QString entry;
  EXPECT_TRUE(EditLikeAPerson(page, entry, [](TFilterDlg& d) {
    Type(QString(300, 'd'));
    Press(Qt::Key_Tab);
    Type(QString(256, 'e'));
    EXPECT_EQ(d.Controls().Description->text().size(), 255);
    EXPECT_EQ(d.Controls().Extension->text().size(), 255);
    Press(Qt::Key_Return);
  }));
  EXPECT_EQ(Utf8(entry), std::string(255, 'd') + "|" + std::string(255, 'e'));
}

TEST(FilterDlg, TabWalksDescriptionExtensionOkCancelAndTheLabelsReachTheirEdits) {
  QWidget page;
  QString entry = "Text files|*.txt";
  EXPECT_FALSE(EditLikeAPerson(page, entry, [](TFilterDlg& d) {
    Ui::TFilterDlg& ui = d.Controls();
    EXPECT_EQ(Utf8(d.windowTitle()), "Extension Filter");
    EXPECT_EQ(d.size(), QSize(328, 103));
    for (QWidget* next :
         std::vector<QWidget*>{ui.Extension, ui.Button1, ui.Button2, ui.Description}) {
      Press(Qt::Key_Tab);
      EXPECT_EQ(Focus(), next) << qPrintable(next->objectName());
    }
    Press(Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(Focus(), ui.Extension);
    Press(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(Focus(), ui.Description);
    Press(Qt::Key_Escape);
  }));
  EXPECT_EQ(Utf8(entry), "Text files|*.txt");
}

}  // namespace
}  // namespace orvalen::wizard
