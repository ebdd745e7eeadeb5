#include "generator/settings_check.h"

#include <gtest/gtest.h>

#include "generator/command_table.h"

namespace orvalen {
namespace {

TEST(SettingsCheck, ApplicationNames) {
  EXPECT_EQ(CheckAppName(""), "An application name is required!");
  for (const char* bad :
       {"1abc", "a b", "a-b", "caf\xe9", "begin", "END", "Program", "unit", "Main", "forms"})
    EXPECT_EQ(CheckAppName(bad), "The application name is not a valid identifier.") << bad;
  for (const char* good : {"Editor", "_x", "a1_b2", "MainApp", "Beginner"})
    EXPECT_FALSE(CheckAppName(good)) << good;
  EXPECT_FALSE(CheckAppName(std::string(61, 'a')));
  auto tooLong = CheckAppName(std::string(62, 'a'));
  ASSERT_TRUE(tooLong);
  EXPECT_NE(tooLong->find("61"), std::string::npos);
}

TEST(SettingsCheck, SpeedbarButtonsNeedTheirMenu) {
  WizardSettings s;
  s.Speedbar = {kSpeedbarSpace, kSpeedbarSpace};
  EXPECT_FALSE(CheckSpeedbar(s));
  s.Speedbar = {11107};
  EXPECT_TRUE(CheckSpeedbar(s));
  s.cbEditMenu = true;
  EXPECT_FALSE(CheckSpeedbar(s));
  s.Speedbar = {11118};
  EXPECT_TRUE(CheckSpeedbar(s));
}

TEST(CommandTable, MenusCoverTheCommandsInOrderWithoutGaps) {
  int next = 0;
  for (int m = 0; m < kMenuCount; ++m) {
    EXPECT_EQ(MenuFirst[m], next);
    next += MenuCount[m];
  }
  EXPECT_EQ(next, kCommandCount);
  EXPECT_EQ(CommandItemName(11), "WindowTileItem");
  EXPECT_EQ(CommandHandler(13), "WindowArrange");
  EXPECT_EQ(CommandHint(CommandOfGlyph(11113)), "Arrange|");
  EXPECT_EQ(CommandCaption(0), "&New");
  EXPECT_EQ(MenuOfCommand(10), kEditMenu);
  EXPECT_EQ(CommandOfGlyph(11118), -1);
}

}  // namespace
}  // namespace orvalen
