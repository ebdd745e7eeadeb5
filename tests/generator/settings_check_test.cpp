#include "generator/settings_check.h"

#include <gtest/gtest.h>

#include "generator/command_table.h"

namespace orvalen {
namespace {

TEST(SettingsCheck, ApplicationNames) {
  EXPECT_EQ(CheckAppName(""), "An application name is required!");
  for (const char* bad : {"1abc", "a b", "a-b", "caf\xe9", "\xc3\xa9t\xc3\xa9", "_-"})
    EXPECT_EQ(CheckAppName(bad), "The application name is not a valid identifier.") << bad;
  // Identifiers refused on purpose say why, with the name as typed.
  for (const char* word : {"begin", "END", "Program", "unit", "out", "ThreadVar", "xor"})
    EXPECT_EQ(CheckAppName(word), "The application name \"" + std::string(word) +
                                      "\" is a reserved word of Object Pascal.");
  for (const char* unit : {"Main", "forms", "WINDOWS", "System", "SysInit"})
    EXPECT_EQ(CheckAppName(unit), "The application name \"" + std::string(unit) +
                                      "\" is the name of a unit the generated program uses.");
  for (const char* good : {"Editor", "_x", "a1_b2", "MainApp", "Beginner", "Private", "Message"})
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

// Every entry or none: a refusal leaves the settings as typed, so the wizard can show them again.
TEST(SettingsCheck, TypedTextIsEncodedInTheTargetsCodePageWholeOrNotAtAll) {
  WizardSettings s;
  s.ExtListBox = {"T\u00e9xt|*.txt", "Plain|*.p"};
  s.AppPath = "/tmp/d\u00e9j\u00e0";
  EXPECT_FALSE(EncodeTypedText(s));
  EXPECT_EQ(s.ExtListBox, (std::vector<std::string>{"T\xE9xt|*.txt", "Plain|*.p"}));
  EXPECT_EQ(s.AppPath, "/tmp/d\u00e9j\u00e0") << "a path stays as the file system spells it";

  const std::vector<std::string> typed = {"\u00c9t\u00e9|*.e", "\u0416|*.zh"};
  s.ExtListBox = typed;
  EXPECT_EQ(EncodeTypedText(s),
            "The character \"\u0416\" (U+0416) cannot be written in code page 1252.");
  EXPECT_EQ(s.ExtListBox, typed);

  s.CodePage = 1251;
  s.ExtListBox = {"\u0416|*.zh"};
  EXPECT_FALSE(EncodeTypedText(s));
  EXPECT_EQ(s.ExtListBox, std::vector<std::string>{"\xC6|*.zh"});

  WizardSettings empty;
  empty.CodePage = 65001;
  ASSERT_TRUE(EncodeTypedText(empty)) << "an unknown code page with nothing to convert";
  EXPECT_NE(EncodeTypedText(empty)->find("65001"), std::string::npos);
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
