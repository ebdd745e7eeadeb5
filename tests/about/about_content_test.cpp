// The about box's text panel and labels, worked out from files that carry a
// version block (the standalone program's own, and a partial one), a file
// without one, and an injected machine.
#include "about/about_content.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/version_info.h"
#include "tests/about/about_sources.h"
#include "tests/test_support.h"

namespace orvalen::about {
namespace {

struct Files {
  std::string program = ORVALEN_VERSION_CARRIER;  // the standalone program's block
  std::string partial = ORVALEN_PARTIAL_VERSION_CARRIER;
  std::string bare = ORVALEN_VERSION_PLAIN;  // no block
};

TEST(AboutContent, TheStandaloneProgramListsItsWholeBlockAndFillsEveryLabel) {
  Files f;
  ASSERT_FALSE(f.program.empty());
  AboutContent c = CollectAboutContent(testing::AboutTestSources(f.program));
  const std::vector<std::string> expected = {
      "User: ada on  () in domain:",
      "Running  Version  Registered to  of ",
      "",
      "-- Version Information for Orvalen Test in " + f.program + "--",
      "",
      "FileVersionInfoSize=" + std::to_string(platform::GetFileVersionInfoSize(f.program)),
      "    CompanyName = Orvalen",
      "FileDescription = Orvalen project wizard",
      "    FileVersion = 0.1.0",
      "   InternalName = testorvalen",
      " LegalCopyright = Copyright (C) 2026 the Orvalen developers",
  };
  ASSERT_GT(c.lines.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(c.lines.begin(), c.lines.begin() + expected.size()), expected);
  EXPECT_EQ(c.lines.back(), "       Comments = A project wizard for Object Pascal applications");
  EXPECT_EQ(c.labels.productName, "Orvalen");
  EXPECT_EQ(c.labels.copyright, "Copyright (C) 2026 the Orvalen developers");
  EXPECT_EQ(c.labels.version, "0.1.0");
  EXPECT_EQ(c.labels.email, "mailto:team@orvalen.dev?subject=Orvalen Test");
  EXPECT_EQ(c.labels.url, "https://orvalen.dev/");
}

TEST(AboutContent, AFileWithoutABlockSaysSoAndKeepsTheDesignCaptions) {
  Files f;
  AboutContent c = CollectAboutContent(testing::AboutTestSources(f.bare));
  EXPECT_EQ(c.lines.back(), "No FileVersionInfo found");
  EXPECT_EQ(c.lines.size(), 6u);
  AboutLabels design;
  EXPECT_EQ(
      std::tie(c.labels.productName, c.labels.copyright, c.labels.version, c.labels.email,
               c.labels.url),
      std::tie(design.productName, design.copyright, design.version, design.email, design.url));
}

TEST(AboutContent, InsideTheLibraryBothBlocksAreListedAndOnlyFoundKeysOverwrite) {
  Files f;
  AboutSources s = testing::AboutTestSources(f.program);
  s.libraryFile = f.partial;
  AboutContent c = CollectAboutContent(s);
  std::vector<std::string> tail(c.lines.end() - 4, c.lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "FileVersionInfoSize=" +
                          std::to_string(platform::GetFileVersionInfoSize(f.partial)),
                      "LegalTradeMarks = none",  // found though the block spells it LegalTrademarks
                      "    ProductName = Test Library",
                      " ProductVersion = 2.5",
                  }));
  EXPECT_EQ(c.labels.productName, "Test Library");
  EXPECT_EQ(c.labels.version, "2.5");
  EXPECT_EQ(c.labels.copyright, "Copyright (C) 2026 the Orvalen developers");
  EXPECT_EQ(c.labels.email, "mailto:team@orvalen.dev?subject=Orvalen Test");

  s.libraryFile = f.bare;
  EXPECT_EQ(CollectAboutContent(s).lines.back(), "No FileVersionInfo found");
}

TEST(AboutContent, TheUserLineNamesTheMachineFromTheRegistry) {
  testing::TempDir root;
  std::filesystem::create_directories(root.File("proc/sys/kernel"));
  std::filesystem::create_directories(root.File("etc"));
  testing::WriteFile(root.File("proc/sys/kernel/hostname"), "build7\n");
  testing::WriteFile(root.File("etc/machine-info"), "PRETTY_HOSTNAME='Build box'\n");
  testing::WriteFile(root.File("etc/os-release"), "PRETTY_NAME=\"Debian 12\"\nVERSION_ID=12\n");
  AboutSources s = testing::AboutTestSources(Files().bare);
  s.machine = platform::LocalMachineView(root.Str());
  s.userName = [] { return std::optional<std::string>(); };
  AboutContent c = CollectAboutContent(s);
  EXPECT_EQ(c.lines[0], "User: Failure reading user name on build7 (Build box) in domain:");
  EXPECT_EQ(c.lines[1], "Running Debian 12 Version 12 Registered to  of ");
}

}  // namespace
}  // namespace orvalen::about
