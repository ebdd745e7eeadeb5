#include "run/generation_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/errors.h"
#include "tests/test_support.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

class FakeDialog : public WizardDialog {
 public:
  FakeDialog(int result, WizardSettings s, int* destroyed)
      : result_(result), settings_(std::move(s)), destroyed_(destroyed) {}
  ~FakeDialog() override { ++*destroyed_; }
  int ShowModal() override { return result_; }
  WizardSettings Settings() const override { return settings_; }

 private:
  int result_;
  WizardSettings settings_;
  int* destroyed_;
};

class FakeToolServices : public TIToolServices {
 public:
  explicit FakeToolServices(bool closes) : closes_(closes) {}
  void AddRef() override {}
  void Release() override {}
  int GetVersion() override { return 1; }
  bool CloseProject() override {
    ++closeCalls;
    return closes_;
  }
  bool OpenProject(const std::string& name) override {
    opened.push_back(name);
    return true;
  }
  int closeCalls = 0;
  std::vector<std::string> opened;

 private:
  bool closes_;
};

WizardSettings SettingsIn(const TempDir& dir) {
  WizardSettings s;
  s.AppName = "Editor";
  s.AppPath = dir.Str();
  return s;
}

TEST(GenerationRun, WritesTheProjectSourceFirstAndReturnsAnAbsoluteName) {
  TempDir dir;
  auto result = GenerateApplication(SettingsIn(dir));
  ASSERT_FALSE(result.files.empty());
  EXPECT_EQ(result.files[0], dir.File("Editor.DPR"));
  EXPECT_EQ(result.projectFileName, dir.File("Editor.DPR"));
  EXPECT_EQ(ReadFile(result.files[0]).find("program Editor;\r\n"), 0u);
}

TEST(GenerationRun, RelativeDirectoryGivesAnAbsoluteFullName) {
  TempDir dir;
  auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  WizardSettings s;
  s.AppName = "Rel";
  s.AppPath = "sub";
  std::filesystem::create_directory("sub");
  auto result = GenerateApplication(s);
  std::filesystem::current_path(cwd);
  EXPECT_EQ(result.projectFileName, "sub/Rel.DPR");
  EXPECT_EQ(result.fullProjectFileName, (dir.Path() / "sub" / "Rel.DPR").string());
}

TEST(GenerationRun, RefusesBadSettingsBeforeWritingAnything) {
  TempDir dir;
  for (std::string name :
       {std::string(), std::string("begin"), std::string("9lives"), std::string(62, 'a')}) {
    WizardSettings s = SettingsIn(dir);
    s.AppName = name;
    EXPECT_THROW(GenerateApplication(s), ESettingsError) << name;
  }
  WizardSettings s = SettingsIn(dir);
  s.Speedbar = {11100};  // FileNew without the File menu
  EXPECT_THROW(GenerateApplication(s), ESettingsError);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(GenerationRun, ACreationFailureNamesTheFile) {
  TempDir dir;
  WizardSettings s = SettingsIn(dir);
  s.AppPath = dir.File("missing");
  try {
    GenerateApplication(s);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir.File("missing") + "/Editor.DPR");
  }
}

TEST(GenerationRun, AShortWriteIsAFailureNotASuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempDir dir;
  std::filesystem::create_symlink("/dev/full", dir.File("Editor.DPR"));
  platform::DiskSink disk;
  EXPECT_THROW(GenerateApplication(SettingsIn(dir), disk), EWriteError);
  ASSERT_EQ(disk.Files().size(), 1u);
  EXPECT_FALSE(disk.Files()[0].complete) << "the file the failure interrupted";
  EXPECT_TRUE(disk.Backups().empty()) << "a device is no file to keep";
}

// A second run into the same directory keeps each replaced file, hand edits
// included, one generation deep; without backups nothing is kept.
TEST(GenerationRun, ReplacedFilesAreKeptUnderTheirBackupNames) {
  for (bool keep : {true, false}) {
    TempDir dir;
    WizardSettings s = SettingsIn(dir);
    GenerateApplication(s);
    testing::WriteFile(dir.File("MAIN.PAS"), "hand edit 1");
    platform::DiskSink disk(keep);
    GenerateApplication(s, disk);
    testing::WriteFile(dir.File("MAIN.PAS"), "hand edit 2");
    auto result = GenerateApplication(s, disk);
    EXPECT_EQ(std::filesystem::exists(dir.File("MAIN.~PA")), keep);
    if (!keep) continue;
    EXPECT_EQ(ReadFile(dir.File("MAIN.~PA")), "hand edit 2");
    for (const auto& [file, backup] : {std::pair{"Editor.DPR", "Editor.~DP"},
                                       {"MAIN.DFM", "MAIN.~DF"},
                                       {"STDAbout.TXT", "STDAbout.~TX"}})
      EXPECT_EQ(ReadFile(dir.File(backup)), ReadFile(dir.File(file))) << file;
    // Ten files, ten backups, nothing else.
    auto count = std::distance(std::filesystem::directory_iterator(dir.Path()), {});
    EXPECT_EQ(count, 2 * static_cast<long>(result.files.size()));
  }
}

TEST(GenerationRun, ABackupThatCannotBeMadeStopsBeforeTheFileIsTouched) {
  TempDir dir;
  WizardSettings s = SettingsIn(dir);
  testing::WriteFile(dir.File("Editor.DPR"), "kept");
  std::filesystem::create_directory(dir.File("Editor.~DP"));  // in the backup's way
  try {
    GenerateApplication(s);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create backup file " + dir.File("Editor.~DP"), 0),
              0u)
        << e.what();
  }
  EXPECT_EQ(ReadFile(dir.File("Editor.DPR")), "kept");
  EXPECT_FALSE(std::filesystem::exists(dir.File("MAIN.PAS")));
}

// The preview's memory holds exactly the bytes a run writes to disk, and writes nothing.
TEST(GenerationRun, MemorySinkHoldsTheBytesARunWrites) {
  TempDir dir;
  WizardSettings s = SettingsIn(dir);
  s.cbFileMenu = s.cbMRU = true;
  s.ExtListBox = {"Text|*.txt"};
  platform::MemorySink memory;
  auto inMemory = GenerateApplication(s, memory);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  auto onDisk = GenerateApplication(s);
  ASSERT_EQ(inMemory.files, onDisk.files);
  ASSERT_EQ(memory.Files().size(), onDisk.files.size());
  for (const auto& file : memory.Files()) EXPECT_EQ(file.bytes, ReadFile(file.path)) << file.path;
}

TEST(RunAppExpert, CancelWritesNothingAndCallsNoServices) {
  TempDir dir;
  int destroyed = 0;
  FakeToolServices services(true);
  RunAppExpert([&] { return std::make_unique<FakeDialog>(2, SettingsIn(dir), &destroyed); },
               &services);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(services.closeCalls, 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RunAppExpert, OpensTheProjectOnlyAfterCloseProjectSucceeded) {
  TempDir dir;
  int destroyed = 0;
  FakeToolServices refuses(false);
  RunAppExpert([&] { return std::make_unique<FakeDialog>(kModalOk, SettingsIn(dir), &destroyed); },
               &refuses);
  EXPECT_EQ(refuses.closeCalls, 1);
  EXPECT_TRUE(refuses.opened.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.File("Editor.DPR")));

  FakeToolServices closes(true);
  RunAppExpert([&] { return std::make_unique<FakeDialog>(kModalOk, SettingsIn(dir), &destroyed); },
               &closes);
  ASSERT_EQ(closes.opened.size(), 1u);
  EXPECT_EQ(closes.opened[0], dir.File("Editor.DPR"));
  EXPECT_EQ(destroyed, 2);
  // Without services the run just writes.
  RunAppExpert([&] { return std::make_unique<FakeDialog>(kModalOk, SettingsIn(dir), &destroyed); },
               nullptr);
}

// The IDE is handed the file it opens: the Windows project's source, the
// Lazarus project's .lpi (the IDE's project file, not the program source).
TEST(RunAppExpert, HandsTheIdeTheProjectFileOfTheTarget) {
  struct Row {
    const char* target;
    const char* opened;
    const char* source;
  };
  for (const Row& row : {Row{WizardSettings::kTargetVcl, "Editor.DPR", "Editor.DPR"},
                         Row{WizardSettings::kTargetLcl, "Editor.lpi", "Editor.lpr"}}) {
    SCOPED_TRACE(row.target);
    TempDir dir;
    int destroyed = 0;
    WizardSettings s = SettingsIn(dir);
    s.Target = row.target;
    FakeToolServices services(true);
    RunAppExpert([&] { return std::make_unique<FakeDialog>(kModalOk, s, &destroyed); }, &services);
    EXPECT_EQ(services.opened, std::vector<std::string>{dir.File(row.opened)});
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File(row.opened)));
    EXPECT_EQ(GenerateApplication(s).fullProjectFileName, dir.File(row.source));
  }
}

TEST(RunAppExpert, AWritingFailureFreesTheDialogAndLeavesTheIdeAlone) {
  TempDir dir;
  int destroyed = 0;
  FakeToolServices services(true);
  WizardSettings s = SettingsIn(dir);
  s.AppPath = dir.File("missing");
  EXPECT_THROW(RunAppExpert([&] { return std::make_unique<FakeDialog>(kModalOk, s, &destroyed); },
                            &services),
               EFCreateError);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(services.closeCalls, 0);
}

}  // namespace
}  // namespace orvalen
