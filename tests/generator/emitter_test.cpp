#include "generator/emitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/command_table.h"
#include "generator/string_ids.h"
#include "generator/wizard_settings.h"
#include "platform/resources.h"

namespace orvalen {
namespace {

class EmitterTest : public ::testing::Test {
 protected:
  std::string Text() const { return out.Text(); }
  SnippetLibrary lib;
  platform::MemoryStream out;
  Emitter e{out, lib};
};

std::vector<std::uint8_t> Bytes(size_t n) {
  std::vector<std::uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i);
  return v;
}

TEST(BytesToHex, UpperCaseHighHalfFirstNoTerminator) {
  std::uint8_t src[] = {10, 255};
  char dst[6] = {'x', 'x', 'x', 'x', 'y', 'y'};
  BytesToHex(src, dst, 2);
  EXPECT_EQ(std::string(dst, 6), "0AFFyy");
  BytesToHex(src, dst, 0);
  BytesToHex(src, dst, -3);
  EXPECT_EQ(std::string(dst, 6), "0AFFyy");
}

TEST_F(EmitterTest, HexDataOfEmptyThirtyTwoAndThirtyThreeBytes) {
  e.WriteHexData({});
  EXPECT_EQ(Text(), "00000000");

  platform::MemoryStream out32;
  Emitter e32(out32, lib);
  auto b32 = Bytes(32);
  e32.WriteHexData(b32);
  std::string digits32;
  for (int i = 0; i < 32; ++i) {
    digits32 += i < 16 ? '0' : '1';
    digits32 += "0123456789ABCDEF"[i % 16];
  }
  EXPECT_EQ(out32.Text(), "20000000" + digits32);

  platform::MemoryStream out33;
  Emitter e33(out33, lib);
  e33.WriteHexData(Bytes(33));
  EXPECT_EQ(out33.Text(), "21000000\r\n" + digits32 + "\r\n20");
}

TEST_F(EmitterTest, HexDataLengthIsLittleEndianAndLinesHoldSixtyFourDigits) {
  e.WriteHexData(Bytes(518));
  std::string t = Text();
  EXPECT_EQ(t.substr(0, 8), "06020000");
  // 16 full lines and one of 6 bytes, each after CR LF.
  EXPECT_EQ(t.size(), 8 + 17 * 2 + 16 * 64 + 12u);
  EXPECT_EQ(t.substr(t.size() - 14, 2), "\r\n");
  EXPECT_EQ(t.substr(t.size() - 12), "000102030405");
}

TEST_F(EmitterTest, WriteFormattedCutsAfterTheBufferSize) {
  std::string longText(1500, 'a');
  longText[1023] = 'b';
  longText[1024] = 'c';
  e.WriteFormatted("%s", {longText});
  EXPECT_EQ(Text().size(), 1024u);
  EXPECT_EQ(Text().back(), 'b');
  e.WriteFormatted("end.\r\n", {std::string_view("unused")});
  EXPECT_EQ(Text().substr(1024), "end.\r\n");
}

TEST_F(EmitterTest, SnippetsAreWrittenUnchangedPercentSignsIncluded) {
  e.WriteSnippet(0);
  EXPECT_EQ(Text(), "program %s;\r\n//csProgram\r\nuses\r\n  Forms,\r\n");
}

TEST_F(EmitterTest, DeclarationShapes) {
  e.WriteField(ids::kMainMenu, "TMainMenu");
  e.WriteHandlerDecl(ids::kShowHint);
  e.WriteHandlerHead("Editor", kHandlerId + 0);
  e.WriteParamDecl(ids::kOpenTheFile, "FileName:String");
  e.WriteParamHead("Editor", ids::kMRUMenu, "Filename:String");
  EXPECT_EQ(Text(),
            "    MainMenu: TMainMenu;\r\n"
            "    procedure ShowHint(Sender: TObject);\r\n"
            "procedure TMainFormEditor.FileNew(Sender: TObject);\r\n"
            "    procedure OpenTheFile(FileName:String);\r\n"
            "procedure TMainFormEditor.MRUMenu(Filename:String);\r\n");
}

TEST_F(EmitterTest, UserTextIsNeverTheFormat) {
  e.WriteHandlerHead("A%sB%d", ids::kShowHint);
  EXPECT_EQ(Text(), "procedure TMainFormA%sB%d.ShowHint(Sender: TObject);\r\n");
}

TEST_F(EmitterTest, LongDeclarationsAreWrittenWholeWithoutOverrun) {
  std::string name(2000, 'N');
  e.WriteHandlerHead(name, ids::kShowHint);
  EXPECT_EQ(Text(), "procedure TMainForm" + name + ".ShowHint(Sender: TObject);\r\n");
}

TEST_F(EmitterTest, MenuFieldBlocksAndDeclarationsFollowCommandOrder) {
  e.WriteMenuFields(kHelpMenu);
  EXPECT_EQ(Text(),
            "    HelpContentsItem: TMenuItem;\r\n"
            "    HelpSearchItem: TMenuItem;\r\n"
            "    HelpHowToUseItem: TMenuItem;\r\n"
            "    HelpAboutItem: TMenuItem;\r\n");
  platform::MemoryStream decls;
  Emitter d(decls, lib);
  d.WriteMenuHandlerDecls(kWindowMenu);
  EXPECT_EQ(decls.Text(),
            "    procedure WindowTile(Sender: TObject);\r\n"
            "    procedure WindowCascade(Sender: TObject);\r\n"
            "    procedure WindowArrange(Sender: TObject);\r\n");
}

TEST_F(EmitterTest, MenuHandlersPairHeadsWithConsecutiveBodySnippets) {
  WizardSettings s;
  s.AppName = "Editor";
  e.WriteMenuHandlers(kWindowMenu, 22, s);
  EXPECT_EQ(Text(), "procedure TMainFormEditor.WindowTile(Sender: TObject);\r\n" +
                        std::string(lib.Snippet(22)) +
                        "procedure TMainFormEditor.WindowCascade(Sender: TObject);\r\n" +
                        std::string(lib.Snippet(23)) +
                        "procedure TMainFormEditor.WindowArrange(Sender: TObject);\r\n" +
                        std::string(lib.Snippet(24)));
}

TEST_F(EmitterTest, GlyphDataIsTheBitmapFileImageThenTheClosingLines) {
  auto bitmap = platform::FindBitmap(kGlyphId);
  ASSERT_TRUE(bitmap.has_value());
  e.WriteGlyphData(kGlyphId);
  platform::MemoryStream expected;
  Emitter x(expected, lib);
  x.WriteHexData(*bitmap);
  EXPECT_EQ(Text(), expected.Text() + "}\r\nend\r\n");
  EXPECT_EQ(Text().substr(0, 8), "06020000");  // a 40 x 20 glyph of 16 colours: 518 bytes
  EXPECT_EQ(Text().substr(8 + 2, 4), "424D");  // "BM"
}

TEST_F(EmitterTest, AMissingGlyphIsAnError) {
  EXPECT_THROW(e.WriteGlyphData(4711), std::exception);
}

}  // namespace
}  // namespace orvalen
