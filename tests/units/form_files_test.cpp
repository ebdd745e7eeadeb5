#include "units/form_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "generator/emitter.h"
#include "generator/snippet_library.h"
#include "platform/errors.h"
#include "platform/output_sink.h"
#include "tests/test_support.h"
#include "units/form_conversion.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

const std::string kGoodText = "object Box: TBox\r\n  Left = 1\r\nend\r\n";

TEST(FormFiles, TextThenItsWholeConversion) {
  TempDir dir;
  SnippetLibrary library;
  platform::DiskSink disk;
  std::vector<std::string> created;
  WriteFormFiles(
      disk, dir.File("BOX.TXT"), dir.File("BOX.DFM"), library,
      [](Emitter& e) {
        // Written in two pieces: the conversion must see the whole text.
        e.WriteFormatted("object Box: TBox\r\n");
        e.WriteFormatted("  Left = 1\r\nend\r\n");
      },
      created);
  EXPECT_EQ(ReadFile(dir.File("BOX.TXT")), kGoodText);
  auto expected = ObjectTextToResource(kGoodText);
  EXPECT_EQ(ReadFile(dir.File("BOX.DFM")), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(created, (std::vector<std::string>{dir.File("BOX.TXT"), dir.File("BOX.DFM")}));
}

TEST(FormFiles, BinaryFileIsCreatedOnlyAfterTheTextIsWritten) {
  TempDir dir;
  SnippetLibrary library;
  platform::DiskSink disk;
  std::vector<std::string> created;
  bool binaryExistedWhileWriting = true;
  WriteFormFiles(
      disk, dir.File("BOX.TXT"), dir.File("BOX.DFM"), library,
      [&](Emitter& e) {
        binaryExistedWhileWriting = std::filesystem::exists(dir.File("BOX.DFM"));
        e.WriteFormatted(kGoodText);
      },
      created);
  EXPECT_FALSE(binaryExistedWhileWriting);
}

TEST(FormFiles, ATextThatDoesNotParseLeavesTheBinaryFileEmptyAndRaises) {
  TempDir dir;
  SnippetLibrary library;
  platform::DiskSink disk;
  std::vector<std::string> created;
  const std::string bad = "object Box: TBox\r\n  Left = 1\r\n  Filter = 'it's'\r\nend\r\n";
  try {
    WriteFormFiles(
        disk, dir.File("BOX.TXT"), dir.File("BOX.DFM"), library,
        [&](Emitter& e) { e.WriteFormatted(bad); }, created);
    FAIL() << "no parse error";
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
  EXPECT_EQ(ReadFile(dir.File("BOX.TXT")), bad);
  EXPECT_TRUE(std::filesystem::exists(dir.File("BOX.DFM")));
  EXPECT_EQ(std::filesystem::file_size(dir.File("BOX.DFM")), 0u);
}

TEST(FormFiles, BinaryFileThatCannotBeCreatedRaisesAfterTheText) {
  TempDir dir;
  SnippetLibrary library;
  platform::DiskSink disk;
  std::vector<std::string> created;
  std::filesystem::create_directory(dir.File("BOX.DFM"));  // a directory in its place
  EXPECT_THROW(WriteFormFiles(
                   disk, dir.File("BOX.TXT"), dir.File("BOX.DFM"), library,
                   [&](Emitter& e) { e.WriteFormatted(kGoodText); }, created),
               EFCreateError);
  EXPECT_EQ(ReadFile(dir.File("BOX.TXT")), kGoodText);
  EXPECT_EQ(created, std::vector<std::string>{dir.File("BOX.TXT")});
}

}  // namespace
}  // namespace orvalen
