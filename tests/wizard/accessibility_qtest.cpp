// The three dialogs as a screen reader and a keyboard user meet them: every
// control has a name (and a description where its caption does not say what
// it does), the speedbar reads out its entries and its insertion point,
// every control that takes the keyboard shows it, and the texts whose colour
// the forms fix stay legible on a dark palette.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "about/about_form.h"
#include "about/click_label.h"
#include "platform/qt/legible_colours.h"
#include "tests/about/about_sources.h"
#include "tests/wizard/wizard_support.h"
#include "wizard/app_expert_controls.h"
#include "wizard/filter_dlg.h"
#include "wizard/preview_window.h"

namespace orvalen::wizard {
namespace {

struct Dialogs {
  testing::WizardWorld world;
  testing::RecordingShell shell;
  TAppExpert wizard{nullptr, world.Services()};
  TFilterDlg filter;
  about::TAboutForm about{nullptr, testing::AboutTestSources(ORVALEN_VERSION_CARRIER), shell};
  PreviewWindow preview{nullptr,
                        {[this] { return wizard.RawSettings(); },
                         [this](const WizardSettings& s) { wizard.ApplySettings(s); }},
                        world.boxes};
  // The wizard's pages are made when first shown: here all of them at once.
  Dialogs() { wizard.Controls(); }
  std::vector<std::pair<const char*, QWidget*>> All() {
    return {{"wizard", &wizard}, {"filter", &filter}, {"about", &about}, {"preview", &preview}};
  }
};

// A control is what takes the keyboard, a link, what shows text or a picture,
// and the self-painted areas. Skipped as having no role of their own: the
// pages and the page control, the bevelled panels (Panel1, SecretPanel1), and
// the viewports, corner containers and scroll bars Qt makes for each scroll
// area, which are reached through the area.
bool IsControl(QWidget* widget, QAccessibleInterface* iface) {
  static const QStringList painted = {"Sample", "Speedbar", "ExtHeader"};
  const QAccessible::Role role = iface->role();
  return (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<ClickLabel*>(widget) ||
         role == QAccessible::StaticText || role == QAccessible::Graphic ||
         painted.contains(widget->objectName());
}

TEST(Accessibility, EveryControlHasANameAndTheUnclearOnesADescription) {
  Dialogs d;
  for (auto [dialog, root] : d.All()) {
    int controls = 0;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
      ASSERT_NE(iface, nullptr) << dialog << " " << qPrintable(widget->objectName());
      if (!IsControl(widget, iface)) continue;
      ++controls;
      EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
          << dialog << " " << qPrintable(widget->objectName()) << " has no name";
    }
    EXPECT_GT(controls, 5) << dialog;
  }
  // Captions that do not say what the control does.
  const std::vector<std::pair<QWidget*, QStringList>> described = {
      {&d.wizard,
       {"Sample", "ScrollBox1", "Speedbar", "MenuList", "MenuItemList", "Button1", "Button2",
        "Button3", "ExtListBox", "UpButton", "DownButton", "Label12", "Label14", "MailLabel",
        "MailtoLabel", "URLLabel", "cbMRU"}},
      {&d.filter, {"Extension"}},
      {&d.about, {"M", "EmailUrl", "UrlLabel"}}};
  for (const auto& [root, names] : described)
    for (const QString& name : names) {
      QWidget* widget = root->findChild<QWidget*>(name);
      ASSERT_NE(widget, nullptr) << qPrintable(name);
      EXPECT_FALSE(
          QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description).isEmpty())
          << qPrintable(name) << " has no description";
    }
}

// What the speedbar area reported of itself.
struct Reported {
  static inline QObject* watched = nullptr;
  static inline std::vector<std::pair<QAccessible::Event, QString>> events;
  static void Handle(QAccessibleEvent* event) {
    if (event->object() != watched) return;
    QString value;
    if (event->type() == QAccessible::ValueChanged)
      value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
    events.emplace_back(event->type(), value);
  }
};

TEST(Accessibility, TheSpeedbarAreaReadsItsEntriesAndTheInsertionPoint) {
  testing::WizardWorld world;
  TAppExpert form(nullptr, world.Services());
  Ui::TAppExpert& ui = form.Controls();
  form.show();
  QApplication::setActiveWindow(&form);
  for (QCheckBox* box : {ui.cbFileMenu, ui.cbEditMenu}) box->click();
  while (ui.PageControl->currentIndex() != kSpeedbtns) ui.NextButton->click();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(ui.Speedbar);
  ASSERT_EQ(bar->role(), QAccessible::ToolBar);
  EXPECT_EQ(bar->text(QAccessible::Value), "The speedbar is empty");

  Reported::watched = ui.Speedbar;
  Reported::events.clear();
  SpeedbarArea::ReportTo(Reported::Handle);
  auto insert = [&](int menu, int row) {
    ui.MenuList->setCurrentRow(menu);
    ui.MenuItemList->setCurrentRow(row);
    ui.Button1->click();
  };
  auto key = [&](Qt::Key k) { QTest::keyClick(ui.ScrollBox1, k); };
  struct Step {
    std::function<void()> act;
    QStringList entries;  // names; a separator's in brackets
    QString insertion;
  };
  const std::vector<Step> steps = {
      {[&] { insert(0, 1); }, {"Open"}, "Insertion point at the end, after 1 entry"},
      {[&] { ui.Button3->click(); },
       {"Open", "[Space]"},
       "Insertion point at the end, after 2 entries"},
      {[&] { insert(1, 1); },
       {"Open", "[Space]", "Cut"},
       "Insertion point at the end, after 3 entries"},
      {[&] {
         ui.ScrollBox1->setFocus(Qt::TabFocusReason);
         key(Qt::Key_Home);
       },
       {"Open", "[Space]", "Cut"},
       "Insertion point before entry 1 of 3 (Open)"},
      {[&] { insert(0, 3); },
       {"Save As", "Open", "[Space]", "Cut"},
       "Insertion point before entry 2 of 4 (Open)"},
      {[&] { key(Qt::Key_Right); },
       {"Save As", "Open", "[Space]", "Cut"},
       "Insertion point before entry 3 of 4 (Space)"},
      {[&] { key(Qt::Key_Delete); },
       {"Save As", "Open", "Cut"},
       "Insertion point before entry 3 of 3 (Cut)"},
      {[&] { key(Qt::Key_End); },
       {"Save As", "Open", "Cut"},
       "Insertion point at the end, after 3 entries"},
  };
  QStringList before;
  QString insertionBefore = bar->text(QAccessible::Value);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    Reported::events.clear();
    step.act();
    QStringList entries;
    for (int c = 0; c < bar->childCount(); ++c) {
      QAccessibleInterface* entry = bar->child(c);
      const bool space = entry->role() == QAccessible::Separator;
      EXPECT_TRUE(space || entry->role() == QAccessible::Button) << i;
      entries << (space ? "[" + entry->text(QAccessible::Name) + "]"
                        : entry->text(QAccessible::Name));
      EXPECT_EQ(entry->parent(), bar);
      EXPECT_EQ(bar->indexOfChild(entry), c);
      // A point inside the entry's slot on the screen finds the entry.
      EXPECT_EQ(bar->childAt(entry->rect().center().x(), entry->rect().center().y()), entry)
          << i << " " << c;
    }
    EXPECT_EQ(entries.join(", ").toStdString(), step.entries.join(", ").toStdString())
        << "step " << i;
    EXPECT_EQ(bar->text(QAccessible::Value).toStdString(), step.insertion.toStdString())
        << "step " << i;
    EXPECT_EQ(bar->text(QAccessible::Description).toStdString(), step.insertion.toStdString())
        << "step " << i;
    // Reported as it happened: a reorder when the entries changed, the new
    // value and a description change when the insertion text did.
    auto seen = [](QAccessible::Event type, const QString& value = {}) {
      return std::count(Reported::events.begin(), Reported::events.end(), std::pair{type, value});
    };
    EXPECT_EQ(seen(QAccessible::ObjectReorder), entries != before ? 1 : 0) << "step " << i;
    const bool moved = step.insertion != insertionBefore;
    EXPECT_EQ(seen(QAccessible::ValueChanged, step.insertion), moved ? 1 : 0) << "step " << i;
    EXPECT_EQ(seen(QAccessible::DescriptionChanged), moved ? 1 : 0) << "step " << i;
    before = entries;
    insertionBefore = step.insertion;
  }
  EXPECT_TRUE(bar->state().focused);
  ui.MenuItemList->setFocus();
  EXPECT_FALSE(bar->state().focused);
  SpeedbarArea::ReportTo(nullptr);
  Reported::watched = nullptr;
}

// Focused by Tab, so that the style shows focus as it does for the keyboard;
// the control's picture must then differ from its picture without the focus.
void ExpectFocusShows(QWidget* root, const QString& where) {
  QApplication::setActiveWindow(root);
  int checked = 0;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible() || !widget->isEnabled())
      continue;
    root->setFocus();
    const QImage without = widget->grab().toImage();
    root->setAttribute(Qt::WA_KeyboardFocusChange);
    widget->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(widget->hasFocus()) << qPrintable(where + " " + widget->objectName());
    EXPECT_NE(widget->grab().toImage(), without)
        << qPrintable(where + " " + widget->objectName()) << " does not show the focus";
    ++checked;
  }
  EXPECT_GT(checked, 0) << qPrintable(where);
}

TEST(Accessibility, EveryControlShowsWhenItHasTheKeyboard) {
  Dialogs d;
  Ui::TAppExpert& ui = d.wizard.Controls();
  for (auto [dialog, root] : d.All()) root->show();
  ui.cbFileMenu->click();  // the file types' page and the Recent menu box
  // Each page with its lists as they first come: the file types and the
  // commands empty, then the commands of the File menu.
  for (int page = kTabLicence; page <= kHintTab; ++page) {
    ui.PageControl->setCurrentIndex(page);
    ExpectFocusShows(&d.wizard, QString("wizard page %1").arg(page));
  }
  ui.PageControl->setCurrentIndex(kSpeedbtns);
  ui.MenuList->setCurrentRow(0);
  ExpectFocusShows(&d.wizard, "wizard with commands");
  ExpectFocusShows(&d.filter, "filter");
  ExpectFocusShows(&d.about, "about");
  ExpectFocusShows(&d.preview, "preview");
}

// The links' and the hint's colours against the face, on a dark palette (on
// which the blue ones would not read as the forms have them) and back on the
// classic one, which leaves the forms' colours as they are.
TEST(Accessibility, FixedTextColoursStayLegibleOnADarkPalette) {
  const QPalette classic = QApplication::palette();
  const QPalette dark = [] {
    QPalette p(QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    return p;
  }();
  struct Case {
    const char* label;
    QColor form;
    double minimum;
  };
  const std::vector<Case> cases = {{"Label12", QColor("#FF0000"), 3.0},  // bold
                                   {"HintLabel", QColor("#0000FF"), 4.5},
                                   {"EmailUrl", QColor("#0000FF"), 3.0}};
  Dialogs d;
  for (const QPalette* palette : {&dark, &classic}) {
    QApplication::setPalette(*palette);
    for (const Case& c : cases) {
      QWidget* root =
          c.label == std::string("EmailUrl") ? static_cast<QWidget*>(&d.about) : &d.wizard;
      auto* label = root->findChild<QLabel*>(c.label);
      ASSERT_NE(label, nullptr) << c.label;
      label->ensurePolished();
      const QColor shown = label->palette().color(QPalette::WindowText);
      const QColor face = root->palette().color(QPalette::Window);
      EXPECT_GE(platform::ContrastRatio(shown, face), c.minimum) << c.label;
      if (palette == &classic) {
        EXPECT_EQ(shown, c.form) << c.label;
      }
    }
  }
  QApplication::setPalette(classic);
}

}  // namespace
}  // namespace orvalen::wizard
