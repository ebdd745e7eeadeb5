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
  EXPECT_THROW(GenerateApplication(SettingsIn(dir)), EWriteError);
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
