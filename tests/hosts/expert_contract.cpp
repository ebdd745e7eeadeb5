// The expert module from the IDE's side: orvalen.so loaded with dlopen, its
// entry point called with tool services of our own, each operation called as
// an IDE calls it, and the wizard it shows answered from a timer as a person
// would. The program links the shared memory manager, not the module, and
// stands in front of the manager's entry points to count the blocks that
// cross: every test ends with none left over.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "hosts/expert/expert_api.h"
#include "hosts/expert_host/expert_library.h"
#include "tests/test_support.h"

namespace {

// Blocks handed out by SysGetMem and not yet given back.
long liveBlocks = 0;
long blocksHandedOut = 0;

template <typename Fn>
Fn Manager(const char* name) {
  auto fn = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
  if (!fn) std::abort();  // libidemm.so is linked in; without it nothing here means anything
  return fn;
}

}  // namespace

extern "C" {

void* SysGetMem(std::size_t size) {
  static auto next = Manager<void* (*)(std::size_t)>("SysGetMem");
  ++liveBlocks;
  ++blocksHandedOut;
  return next(size);
}

int SysFreeMem(void* block) {
  static auto next = Manager<int (*)(void*)>("SysFreeMem");
  if (block) --liveBlocks;
  return next(block);
}

void* SysReallocMem(void* block, std::size_t size) {
  static auto next = Manager<void* (*)(void*, std::size_t)>("SysReallocMem");
  return next(block, size);
}

}  // extern "C"

namespace orvalen::hosts {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWizardClass = "orvalen::wizard::TAppExpert";

// A string block as the contract lays it out: its count, then its length
// agreeing with the NUL that ends it.
::testing::AssertionResult WellFormed(ota::IdeString text, int refCount) {
  if (!text) return ::testing::AssertionSuccess();
  const ota::IdeStrHeader& head = *ota::IdeStrHead(text);
  if (head.refCount != refCount)
    return ::testing::AssertionFailure() << "reference count " << head.refCount;
  if (static_cast<std::size_t>(head.length) != std::strlen(text))
    return ::testing::AssertionFailure() << "length " << head.length << " for \"" << text << '"';
  return ::testing::AssertionSuccess();
}

// A returned string: ours, with one reference, released here.
std::string Returned(ota::IdeString text) {
  EXPECT_TRUE(WellFormed(text, 1));
  return TakeIdeString(text);
}

// Tool services that record what the module asks of them: the classic
// version unless told otherwise, with the later versions' slot ready behind.
class RecordingServices : public ota::TIToolServices2 {
 public:
  explicit RecordingServices(QWidget* window = nullptr) : window_(window) {}
  int AddRef() override { return ++refs; }
  int Release() override { return --refs; }
  int GetVersion() override { return version; }
  bool CloseProject() override {
    ++closes;
    return closeAnswer;
  }
  bool OpenProject(ota::IdeString name) override {
    EXPECT_TRUE(WellFormed(name, 1));
    opened.push_back(IdeStringText(name));
    return true;
  }
  ota::HWND GetParentHandle() override {
    ++parentAsked;
    return window_ ? static_cast<ota::HWND>(window_->winId()) : 0;
  }
  void RaiseException(ota::IdeString message) override {
    EXPECT_TRUE(WellFormed(message, 1));
    errors.push_back(IdeStringText(message));
  }
  int GetProjectKind() override {
    ++kindAsked;
    return kind;
  }

  int version = ota::kServicesVersionClassic, kind = ota::pkDelphi;
  int refs = 1, closes = 0, parentAsked = 0, kindAsked = 0;
  bool closeAnswer = true;
  std::vector<std::string> opened, errors;

 private:
  QWidget* window_;
};

// What a person saw of one run.
struct RunSeen {
  bool wizardShown = false;
  QWidget* wizardParent = nullptr;
  std::vector<std::string> boxes;  // the message boxes' texts
};

// Answers the wizard while an expert runs: `script` once the wizard is up,
// message boxes recorded and closed. A wizard still open after five seconds
// fails the test and is cancelled.
class WizardDriver {
 public:
  explicit WizardDriver(std::function<void(QDialog&)> script) : script_(std::move(script)) {
    QObject::connect(&wizardTimer_, &QTimer::timeout, [this] { Poll(); });
    QObject::connect(&boxTimer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.boxes.push_back(box->text().toStdString());
        box->done(QMessageBox::Cancel);
      }
    });
    wizardTimer_.start(10);
    boxTimer_.start(10);
  }

  RunSeen seen;

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* wizard = qobject_cast<QDialog*>(modal);
    if (wizard && std::strcmp(wizard->metaObject()->className(), kWizardClass) == 0) {
      if (!seen.wizardShown) {
        seen.wizardShown = true;
        seen.wizardParent = wizard->parentWidget();
        script_(*wizard);
      } else if (++ticks_ > 500) {
        ADD_FAILURE() << "the wizard stayed open";
        wizard->reject();
      }
    }
  }

  std::function<void(QDialog&)> script_;
  QTimer wizardTimer_, boxTimer_;
  int ticks_ = 0;
};

// Walks the wizard with Next to the application page, names the
// application and its directory, and walks on to Finish.
std::function<void(QDialog&)> Finish(const std::string& name, const std::string& dir) {
  return [=](QDialog& wizard) {
    auto* next = wizard.findChild<QAbstractButton*>("NextButton");
    auto* appInfo = wizard.findChild<QWidget*>("AppInfo");
    ASSERT_TRUE(next && appInfo);
    for (int page = 0; page < 8 && !appInfo->isVisible(); ++page) next->click();
    ASSERT_TRUE(appInfo->isVisible());
    wizard.findChild<QLineEdit*>("AppName")->setText(QString::fromStdString(name));
    wizard.findChild<QLineEdit*>("AppPath")->setText(QString::fromStdString(dir));
    for (int page = 0; page < 8 && wizard.isVisible(); ++page) next->click();
  };
}

std::function<void(QDialog&)> Cancel() {
  return [](QDialog& wizard) { wizard.findChild<QAbstractButton*>("CancelBtn")->click(); };
}

// The IDE: a main window, its services, the module loaded.
struct Ide {
  QWidget window;
  RecordingServices services{&window};
  ExpertLibrary module{ORVALEN_EXPERT_MODULE};

  ota::TIExpert& Register(ota::TIToolServices* with) {
    const std::size_t before = module.Experts().size();
    EXPECT_TRUE(module.Initialize(with));
    EXPECT_EQ(module.Experts().size(), before + 1);
    return *module.Experts().back();
  }
  ota::TIExpert& Register() { return Register(&services); }
};

// Runs the expert's Execute with `script` answering its wizard.
RunSeen Execute(ota::TIExpert& expert, std::function<void(QDialog&)> script) {
  WizardDriver driver(std::move(script));
  expert.Execute();
  EXPECT_TRUE(driver.seen.wizardShown);
  return driver.seen;
}

class ExpertContract : public ::testing::Test {
 protected:
  void SetUp() override { liveBlocks = 0; }
  // Every string either side made was released, by one side or the other.
  void TearDown() override { EXPECT_EQ(liveBlocks, 0) << "string blocks never released"; }
};

TEST_F(ExpertContract, EveryOperationAnswersAsTheIdeExpects) {
  Ide ide;
  ota::TIExpert& expert = ide.Register();
  const long handedOut = blocksHandedOut;
  struct Row {
    const char* operation;
    ota::IdeString (ota::TIExpert::*call)();
    const char* expected;
  };
  const Row rows[] = {
      {"GetName", &ota::TIExpert::GetName, "Orvalen MDI App Wizard"},
      {"GetAuthor", &ota::TIExpert::GetAuthor, "Pellor (Ardelin) MDI Application Expert"},
      {"GetComment", &ota::TIExpert::GetComment, "Orvalen Application Wizard by Pellor"},
      {"GetPage", &ota::TIExpert::GetPage, "Projects"},
      {"GetIDString", &ota::TIExpert::GetIDString, "Pellor Orvalen MDI App Expert"},
      {"GetMenuText", &ota::TIExpert::GetMenuText, "Orvalen MDI Expert"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.operation);
    for (int call = 0; call < 2; ++call) EXPECT_EQ(Returned((expert.*row.call)()), row.expected);
  }
  // Each string came from the shared memory manager, one block a call.
  EXPECT_EQ(blocksHandedOut - handedOut, 12);
  for (int call = 0; call < 2; ++call) {
    EXPECT_EQ(expert.GetVersion(), 3);
    EXPECT_EQ(expert.GetStyle(), ota::esProject);
    EXPECT_EQ(expert.GetState(), ota::esEnabled);
  }
  // No glyph, or an image any library decodes, the same one on every call.
  const ota::HICON glyph = expert.GetGlyph();
  EXPECT_EQ(expert.GetGlyph(), glyph);
  if (glyph) {
    const auto& image = *reinterpret_cast<const ota::IdeGlyph*>(glyph);
    EXPECT_FALSE(QImage::fromData(image.data, static_cast<int>(image.size)).isNull());
  }
  EXPECT_TRUE(ide.services.errors.empty());
  EXPECT_EQ(ide.services.closes, 0);
}

TEST_F(ExpertContract, TheExpertLivesUntilItsLastReferenceIsReleased) {
  Ide ide;
  ota::TIExpert& expert = ide.Register();
  EXPECT_EQ(expert.AddRef(), 2);
  EXPECT_EQ(expert.AddRef(), 3);
  EXPECT_EQ(expert.Release(), 2);
  EXPECT_EQ(expert.Release(), 1);
  EXPECT_EQ(ide.module.Unload(), std::vector<int>{0});
  // The module borrowed the services and gave back what it took.
  EXPECT_EQ(ide.services.refs, 1);
  EXPECT_EQ(ide.services.parentAsked, 1);
}

// One run of the wizard inside Execute, for each way a run can end.
TEST_F(ExpertContract, EachWayARunEndsReachesTheServicesAsTheRunSays) {
  struct Row {
    const char* name;
    bool withServices;
    bool cancel;
    bool closeAnswer;
    bool mainPasBlocked;  // a directory named MAIN.PAS: not even root can create that file
    int closes, opens;
    bool errorRaised, errorBoxed;
  };
  const Row rows[] = {
      {"finished", true, false, true, false, 1, 1, false, false},
      {"project kept open", true, false, false, false, 1, 0, false, false},
      {"cancelled", true, true, true, false, 0, 0, false, false},
      {"MAIN.PAS cannot be created", true, false, true, true, 0, 0, true, false},
      {"no services, finished", false, false, true, false, 0, 0, false, false},
      {"no services, MAIN.PAS cannot be created", false, false, true, true, 0, 0, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempDir target;
    if (row.mainPasBlocked) fs::create_directory(target.Path() / "MAIN.PAS");
    Ide ide;
    ide.services.closeAnswer = row.closeAnswer;
    ota::TIExpert& expert = ide.Register(row.withServices ? &ide.services : nullptr);
    const RunSeen run = Execute(expert, row.cancel ? Cancel() : Finish("Contract", target.Str()));

    const std::string project = target.File("Contract.DPR");
    const std::string cannotCreate = "Cannot create file " + target.File("MAIN.PAS");
    EXPECT_EQ(ide.services.closes, row.closes);
    EXPECT_EQ(ide.services.opened,
              std::vector<std::string>(static_cast<std::size_t>(row.opens), project));
    EXPECT_EQ(ide.services.errors, row.errorRaised ? std::vector<std::string>{cannotCreate}
                                                   : std::vector<std::string>{});
    EXPECT_EQ(run.boxes,
              row.errorBoxed ? std::vector<std::string>{cannotCreate} : std::vector<std::string>{});
    EXPECT_EQ(ide.services.parentAsked, row.withServices ? 1 : 0);
    EXPECT_EQ(run.wizardParent, row.withServices ? &ide.window : nullptr);
    EXPECT_EQ(fs::exists(project), !row.cancel);
    EXPECT_EQ(fs::is_regular_file(target.Path() / "MAIN.PAS"), !row.cancel && !row.mainPasBlocked);
    EXPECT_EQ(fs::exists(target.Path() / "MDICHILD.DFM"), !row.cancel && !row.mainPasBlocked);
  }
}

// Services that say they open Lazarus projects get one: the wizard starts on
// the Lazarus target and keeps it, and the IDE is handed the .lpi. The
// person's remembered target is left as it was, so a classic host after it
// (the classic slots only: the module never asks it) writes the Windows project.
TEST_F(ExpertContract, AnIdeThatOpensLazarusProjectsGetsOne) {
  struct Row {
    const char* name;
    int version, kind;
    bool lazarus;  // the Lazarus target chosen, the Windows one not to be had
    const char* opened;
  };
  const Row rows[] = {
      {"Lazarus IDE", 4, ota::pkLazarus, true, "Kind.lpi"},
      {"classic IDE after it", 3, ota::pkLazarus, false, "Kind.DPR"},
      {"version 4 opening .DPR", 4, ota::pkDelphi, false, "Kind.DPR"},
      {"later version, Lazarus", 5, ota::pkLazarus, true, "Kind.lpi"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempDir target;
    Ide ide;
    ide.services.version = row.version;
    ide.services.kind = row.kind;
    ota::TIExpert& expert = ide.Register();
    bool lclChosen = false, vclEnabled = false;
    Execute(expert, [&](QDialog& wizard) {
      // The target's page comes after the name page and is made when first shown.
      auto* next = wizard.findChild<QAbstractButton*>("NextButton");
      auto* appInfo = wizard.findChild<QWidget*>("AppInfo");
      ASSERT_TRUE(next && appInfo);
      for (int page = 0; page < 8 && !appInfo->isVisible(); ++page) next->click();
      wizard.findChild<QLineEdit*>("AppName")->setText("Kind");
      wizard.findChild<QLineEdit*>("AppPath")->setText(QString::fromStdString(target.Str()));
      QRadioButton* lcl = nullptr;
      for (int page = 0; page < 8 && !(lcl && lcl->isVisible()); ++page) {
        next->click();
        lcl = wizard.findChild<QRadioButton*>("rbTargetLcl");
      }
      ASSERT_TRUE(lcl && lcl->isVisible());
      lclChosen = lcl->isChecked();
      vclEnabled = wizard.findChild<QRadioButton*>("rbTargetVcl")->isEnabled();
      for (int page = 0; page < 8 && wizard.isVisible(); ++page) next->click();
    });
    EXPECT_EQ(lclChosen, row.lazarus);
    EXPECT_EQ(vclEnabled, !row.lazarus);
    EXPECT_EQ(ide.services.kindAsked, row.version >= 4 ? 1 : 0);
    EXPECT_EQ(ide.services.opened, std::vector<std::string>{target.File(row.opened)});
    EXPECT_TRUE(fs::is_regular_file(target.File(row.opened)));
    EXPECT_EQ(fs::exists(target.File("Kind.lpr")), row.lazarus);
    EXPECT_EQ(ide.module.Unload(), std::vector<int>{0});
  }
}

// A host that ends the module (terminate, dlclose) and loads it again hands
// it new services: the module uses those, never the ones it was given before,
// even where the module stayed in memory in between (here another reference
// to it holds it, as any second user of the library would).
TEST_F(ExpertContract, AModuleLoadedAgainUsesTheNewServices) {
  void* pin = dlopen(ORVALEN_EXPERT_MODULE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(pin, nullptr) << dlerror();
  testing::TempDir target;
  QWidget firstWindow, secondWindow;
  RecordingServices first(&firstWindow), second(&secondWindow);
  for (RecordingServices* services : {&first, &second}) {
    ExpertLibrary module(ORVALEN_EXPERT_MODULE);
    ASSERT_TRUE(module.Initialize(services));
    const RunSeen run = Execute(*module.Experts()[0], Finish("Again", target.Str()));
    EXPECT_EQ(run.wizardParent, services == &first ? &firstWindow : &secondWindow);
    EXPECT_EQ(module.Unload(), std::vector<int>{0});
  }
  dlclose(pin);
  EXPECT_EQ(first.closes, 1);
  EXPECT_EQ(second.closes, 1);
  EXPECT_EQ(second.parentAsked, 1);
}

TEST_F(ExpertContract, AnExpertThatFailedRunsAgain) {
  testing::TempDir target;
  fs::create_directory(target.Path() / "MAIN.PAS");
  Ide ide;
  ota::TIExpert& expert = ide.Register();
  Execute(expert, Finish("Again", target.Str()));
  ASSERT_EQ(ide.services.errors.size(), 1u);

  fs::remove(target.Path() / "MAIN.PAS");
  const RunSeen second = Execute(expert, Finish("Again", target.Str()));
  EXPECT_EQ(ide.services.errors.size(), 1u);
  EXPECT_TRUE(second.boxes.empty());
  EXPECT_EQ(ide.services.opened, std::vector<std::string>{target.File("Again.DPR")});
  EXPECT_TRUE(fs::is_regular_file(target.Path() / "MDICHILD.DFM"));
}

// A second entry call registers a second expert; the module keeps the first
// services it was given, and with them the owner window.
TEST_F(ExpertContract, ALaterEntryCallKeepsTheFirstServices) {
  struct Row {
    const char* name;
    bool firstNull;  // the first call had no services: the second call's are kept
  };
  for (const Row& row : {Row{"services first", false}, Row{"no services first", true}}) {
    SCOPED_TRACE(row.name);
    testing::TempDir target;
    Ide ide;
    QWidget otherWindow;
    RecordingServices other(&otherWindow);
    ota::TIExpert& first = ide.Register(row.firstNull ? nullptr : &ide.services);
    ota::TIExpert& second = ide.Register(row.firstNull ? &ide.services : &other);
    ASSERT_NE(&first, &second);

    for (ota::TIExpert* expert : {&second, &first}) {
      const RunSeen run = Execute(*expert, Finish("Second", target.Str()));
      EXPECT_EQ(run.wizardParent, &ide.window);
    }
    EXPECT_EQ(ide.services.parentAsked, 1);
    EXPECT_EQ(ide.services.closes, 2);
    EXPECT_EQ(ide.services.opened.size(), 2u);
    EXPECT_EQ(other.parentAsked, 0);
    EXPECT_EQ(other.closes, 0);
    EXPECT_EQ(ide.module.Unload(), (std::vector<int>{0, 0}));
  }
}

// An IDE whose main window is not a widget of this process's Qt: the wizard
// is made transient for it, and Qt's wrapper of that window goes with each
// run. Only a platform with foreign windows (X11) can tell.
TEST_F(ExpertContract, AForeignOwnerWindowIsLetGoAfterEachRun) {
  QWindow ideWindow;
  ideWindow.create();
  if (std::unique_ptr<QWindow> probe(QWindow::fromWinId(ideWindow.winId())); !probe)
    GTEST_SKIP() << "the platform " << QGuiApplication::platformName().toStdString()
                 << " has no foreign windows";
  struct ForeignOwner : RecordingServices {
    ota::HWND window = 0;
    ota::HWND GetParentHandle() override { return window; }
  } services;
  services.window = static_cast<ota::HWND>(ideWindow.winId());
  testing::TempDir target;
  ExpertLibrary module(ORVALEN_EXPERT_MODULE);
  ASSERT_TRUE(module.Initialize(&services));
  const qsizetype windows = QGuiApplication::allWindows().size();
  for (int run = 0; run < 3; ++run) {
    EXPECT_EQ(Execute(*module.Experts()[0], Finish("Foreign", target.Str())).wizardParent, nullptr);
    EXPECT_EQ(QGuiApplication::allWindows().size(), windows) << "run " << run;
  }
  EXPECT_EQ(services.closes, 3);
}

// A hundred runs of one expert, finished and cancelled by turns. The
// sanitizer build's leak check at the end of the process finds what they
// left behind; every build checks the string blocks.
TEST_F(ExpertContract, AHundredRunsLeaveNothingBehind) {
  testing::TempDir target;
  Ide ide;
  ota::TIExpert& expert = ide.Register();
  for (int run = 0; run < 100; ++run) {
    ide.services.closeAnswer = run % 4 == 0;
    const RunSeen driver =
        Execute(expert, run % 2 ? Cancel() : Finish("Run" + std::to_string(run), target.Str()));
    ASSERT_TRUE(driver.boxes.empty()) << "run " << run << ": " << driver.boxes.front();
    ASSERT_TRUE(ide.services.errors.empty()) << "run " << run << ": " << ide.services.errors[0];
    Returned(expert.GetName());
  }
  EXPECT_EQ(ide.services.closes, 50);
  EXPECT_EQ(ide.services.opened.size(), 25u);
  EXPECT_EQ(ide.module.Unload(), std::vector<int>{0});
  EXPECT_EQ(ide.services.refs, 1);
}

}  // namespace
}  // namespace orvalen::hosts

int main(int argc, char** argv) {
  // The wizard remembers its settings under XDG_CONFIG_HOME: a store of our
  // own, never the user's.
  orvalen::testing::TempDir config;
  setenv("XDG_CONFIG_HOME", config.Str().c_str(), 1);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
