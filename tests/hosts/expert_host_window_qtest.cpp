// expert-host's window as the experts and the user meet it: the gallery
// lists the project wizards, runs one on a double click or Enter, and the
// tool services close and open projects in it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "hosts/expert_host/expert_host_window.h"
#include "hosts/expert_host/host_tool_services.h"
#include "tests/wizard/wizard_support.h"

namespace orvalen::hosts {
namespace {

namespace fs = std::filesystem;

// A 2 x 2 bitmap, red but for its bottom-left pixel, as a module's glyph.
std::vector<std::uint8_t> RedBitmap() {
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  image.setPixelColor(0, 1, Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return {bytes.begin(), bytes.end()};
}

// An expert that keeps a reference to each string it hands out, so that it
// can tell whether the host gave its own back.
class FakeExpert final : public ota::TIExpert {
 public:
  FakeExpert(const char* name, const char* page, unsigned state = ota::esEnabled,
             std::vector<std::uint8_t> glyph = {})
      : strings_{ota::IdeStrNew(name), ota::IdeStrNew("A comment"), ota::IdeStrNew(page)},
        state_(state),
        glyphBytes_(std::move(glyph)),
        glyph_{static_cast<std::uint32_t>(glyphBytes_.size()), glyphBytes_.data()} {}
  ~FakeExpert() {
    for (ota::IdeString s : strings_) ota::IdeStrRelease(s);
  }
  // Every string handed out was released by its receiver.
  bool AllReturned() const {
    for (ota::IdeString s : strings_)
      if (ota::IdeStrHead(s)->refCount != 1) return false;
    return true;
  }

  int AddRef() override { return 2; }
  int Release() override { return 1; }
  int GetVersion() override { return 3; }
  ota::IdeString GetName() override { return Share(strings_[0]); }
  ota::IdeString GetAuthor() override { return nullptr; }
  ota::IdeString GetComment() override { return Share(strings_[1]); }
  ota::IdeString GetPage() override { return Share(strings_[2]); }
  ota::HICON GetGlyph() override {
    return glyphBytes_.empty() ? 0 : reinterpret_cast<ota::HICON>(&glyph_);
  }
  int GetStyle() override { return ota::esProject; }
  unsigned GetState() override { return state_; }
  ota::IdeString GetIDString() override { return nullptr; }
  ota::IdeString GetMenuText() override { return nullptr; }
  void Execute() override { ++executed; }

  int executed = 0;

 private:
  static ota::IdeString Share(ota::IdeString s) {
    ota::IdeStrAddRef(s);
    return s;
  }
  ota::IdeString strings_[3];
  unsigned state_;
  std::vector<std::uint8_t> glyphBytes_;
  ota::IdeGlyph glyph_;
};

struct Host {
  testing::ScriptedBoxes boxes;
  ExpertHostWindow window{boxes};
  HostToolServices services{window};
};

TEST(ExpertHostWindow, TheGalleryListsTheProjectWizardsAndRunsThePickedOne) {
  Host host;
  FakeExpert project("Project wizard", "Projects", ota::esEnabled, RedBitmap());
  FakeExpert form("Form wizard", "Forms");
  FakeExpert disabled("Disabled wizard", "Projects", 0);
  host.window.ShowExperts({&form, &project, &disabled});
  host.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.window));
  for (const FakeExpert* expert : {&project, &form, &disabled}) EXPECT_TRUE(expert->AllReturned());

  QListWidget& gallery = host.window.Gallery();
  ASSERT_EQ(gallery.count(), 2);
  EXPECT_EQ(gallery.item(0)->text(), "Project wizard");
  EXPECT_EQ(gallery.item(0)->toolTip(), "A comment");
  // The glyph's bottom-left colour is transparent.
  const QImage glyph = gallery.item(0)->icon().pixmap(32, 32).toImage();
  EXPECT_EQ(glyph.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(glyph.pixelColor(0, 1).alpha(), 0);
  EXPECT_FALSE(gallery.item(1)->flags() & Qt::ItemIsEnabled);

  // Enter on the current item, a double click on it; nothing for a disabled one.
  gallery.setFocus();
  gallery.setCurrentRow(0);
  QTest::keyClick(&gallery, Qt::Key_Return);
  EXPECT_EQ(project.executed, 1);
  for (int row : {0, 1}) {
    // A double click: the first click's press and release, then the second's.
    const QPoint at = gallery.visualItemRect(gallery.item(row)).center();
    QTest::mouseClick(gallery.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(gallery.viewport(), Qt::LeftButton, {}, at);
  }
  EXPECT_EQ(project.executed, 2);
  EXPECT_EQ(disabled.executed, 0);
  EXPECT_EQ(form.executed, 0);
  host.window.ClearExperts();
}

TEST(ExpertHostWindow, EnterRunsTheSelectedWizardAsSoonAsTheWindowOpens) {
  Host host;
  FakeExpert project("Project wizard", "Projects");
  host.window.ShowExperts({&project});
  host.window.show();
  host.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(project.executed, 1);
  host.window.ClearExperts();
}

// A project folder with its program file in code page 1252 and CR LF lines.
struct ProjectOnDisk {
  testing::TempDir dir;
  std::string program = dir.File("Editor.DPR");
  ProjectOnDisk() {
    testing::WriteFile(program, "program Editor;\r\n{ Caf\xE9 }\r\nbegin\r\nend.\r\n");
    testing::WriteFile(dir.File("MAIN.PAS"), "unit Main;");
  }
};

TEST(ExpertHostWindow, OpenProjectShowsTheFolderAndTheProgramText) {
  Host host;
  ProjectOnDisk project;
  ota::IdeString name = ota::IdeStrNew(project.program.c_str());
  EXPECT_TRUE(host.services.OpenProject(name));
  ota::IdeStrRelease(name);

  EXPECT_EQ(host.window.ProjectFile().toStdString(), project.program);
  EXPECT_TRUE(host.window.windowTitle().startsWith("Editor.DPR"));
  EXPECT_EQ(host.window.ProgramText().toPlainText(),
            QString::fromUtf8("program Editor;\n{ Caf\u00e9 }\nbegin\nend.\n"));
  QTreeWidget& files = host.window.ProjectFiles();
  ASSERT_EQ(files.topLevelItemCount(), 2);
  EXPECT_EQ(files.topLevelItem(0)->text(0), "Editor.DPR");
  EXPECT_EQ(files.topLevelItem(1)->text(0), "MAIN.PAS");

  // A file that is not there opens nothing.
  const std::string missing = project.dir.File("Gone.DPR");
  name = ota::IdeStrNew(missing.c_str());
  EXPECT_FALSE(host.services.OpenProject(name));
  ota::IdeStrRelease(name);
  EXPECT_EQ(host.window.ProjectFile().toStdString(), project.program);
}

TEST(ExpertHostWindow, CloseProjectAsksWhenAProjectIsOpen) {
  struct Row {
    const char* name;
    bool open;
    QMessageBox::StandardButton answer;
    bool closed, asked, stillOpen;
  };
  const Row rows[] = {
      {"no project", false, QMessageBox::Yes, true, false, false},
      {"Yes", true, QMessageBox::Yes, true, true, false},
      {"Cancel", true, QMessageBox::Cancel, false, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Host host;
    ProjectOnDisk project;
    if (row.open) {
      ASSERT_TRUE(host.window.OpenProject(project.program));
    }
    host.boxes.answers.push_back(row.answer);
    EXPECT_EQ(host.services.CloseProject(), row.closed);
    ASSERT_EQ(host.boxes.shown.size(), row.asked ? 1u : 0u);
    if (row.asked) {
      EXPECT_EQ(host.boxes.shown[0].text, "Close the current project?");
      EXPECT_EQ(host.boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
    }
    EXPECT_EQ(!host.window.ProjectFile().isEmpty(), row.stillOpen);
    EXPECT_EQ(host.window.windowTitle().startsWith("Editor.DPR"), row.stillOpen);
  }
}

TEST(ExpertHostWindow, TheServicesShowErrorsAndNameTheMainWindow) {
  Host host;
  ota::IdeString message = ota::IdeStrNew("Cannot create file /x/MAIN.PAS");
  host.services.RaiseException(message);
  ota::IdeStrRelease(message);
  ASSERT_EQ(host.boxes.shown.size(), 1u);
  EXPECT_EQ(host.boxes.shown[0].icon, QMessageBox::Critical);
  EXPECT_EQ(host.boxes.shown[0].text, "Cannot create file /x/MAIN.PAS");

  EXPECT_EQ(QWidget::find(static_cast<WId>(host.services.GetParentHandle())), &host.window);
  EXPECT_EQ(host.services.AddRef(), 2);
  EXPECT_EQ(host.services.Release(), 1);
  EXPECT_EQ(host.services.GetVersion(), 3);
}

}  // namespace
}  // namespace orvalen::hosts
