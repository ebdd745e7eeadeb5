// The build tool that draws the glyphs and the image list from the pixel maps:
// it gives the embedded bytes, the same ones on every run, and refuses a
// broken map without writing anything.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "generator/snippet_library.h"
#include "platform/resources.h"
#include "tests/test_support.h"

#ifdef ORVALEN_GLYPHGEN

namespace orvalen {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const fs::path kMapDir = fs::path(ORVALEN_SOURCE_DIR) / "resources" / "glyphs";

// The maps in the order the build passes them: the commands by glyph id, then
// Close, Close All and Recent.
std::vector<std::string> SourceMaps() {
  std::vector<std::string> maps;
  for (int id = 11100; id <= 11117; ++id) {
    for (const auto& entry : fs::directory_iterator(kMapDir)) {
      if (entry.path().filename().string().rfind(std::to_string(id) + "-", 0) == 0)
        maps.push_back(entry.path().string());
    }
  }
  for (const char* name : {"close.txt", "close-all.txt", "recent.txt"})
    maps.push_back((kMapDir / name).string());
  return maps;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct Result {
  int status = -1;
  std::string errors;
};

// glyphgen FIRST ARGS...: the output directory and the maps, or a mode and its arguments.
Result RunGlyphTool(const std::string& first, const std::vector<std::string>& args) {
  TempDir scratch;
  std::string command = Quote(ORVALEN_GLYPHGEN) + " " + Quote(first);
  for (const auto& a : args) {
    command += ' ';
    command += Quote(a);
  }
  command += " 2>" + Quote(scratch.File("stderr"));
  const int raw = std::system(command.c_str());
  Result r;
  if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
  r.errors = ReadFile(scratch.File("stderr"));
  return r;
}

std::vector<std::string> OutputNames() {
  std::vector<std::string> names;
  for (int id = 11100; id <= 11117; ++id) names.push_back(std::to_string(id) + ".bmp");
  names.push_back("57-form-image-list.txt");
  return names;
}

TEST(GlyphTool, GivesTheEmbeddedBytesOnEveryRun) {
  const auto maps = SourceMaps();
  ASSERT_EQ(maps.size(), 21u);
  TempDir first, second;
  ASSERT_EQ(RunGlyphTool(first.Str(), maps).status, 0);
  ASSERT_EQ(RunGlyphTool(second.Str(), maps).status, 0);
  for (const auto& name : OutputNames()) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFile(first.File(name));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadFile(second.File(name)));
  }
  for (int id = 11100; id <= 11117; ++id) {
    auto embedded = platform::FindBitmap(id);
    ASSERT_TRUE(embedded.has_value()) << id;
    EXPECT_EQ(ReadFile(first.File(std::to_string(id) + ".bmp")),
              std::string(embedded->begin(), embedded->end()))
        << id;
  }
  SnippetLibrary library;
  EXPECT_EQ(ReadFile(first.File("57-form-image-list.txt")), std::string(library.Snippet(57)));
}

// A map checked out with CR LF line ends, with more comments and blank lines,
// draws the same picture.
TEST(GlyphTool, ReadsCrLfMapsWithCommentsAndBlankLines) {
  auto maps = SourceMaps();
  const std::string original = ReadFile(maps[0]);
  std::string converted = "# drawn again\r\n\r\n";
  for (char c : original) {
    if (c == '\n')
      converted += "\r\n";
    else
      converted += c;
  }
  converted += "\r\n# the end\r\n";
  TempDir in, plain, crlf;
  WriteFile(in.File("new.txt"), converted);
  ASSERT_EQ(RunGlyphTool(plain.Str(), maps).status, 0);
  maps[0] = in.File("new.txt");
  ASSERT_EQ(RunGlyphTool(crlf.Str(), maps).status, 0);
  for (const auto& name : OutputNames())
    EXPECT_EQ(ReadFile(plain.File(name)), ReadFile(crlf.File(name))) << name;
}

struct BrokenMap {
  const char* what;
  std::string (*edit)(std::vector<std::string>& rows);  // returns the expected message
};

// The New map's 20 pixel rows (its comment line dropped), broken one way each.
std::vector<std::string> NewRows() {
  std::vector<std::string> rows;
  std::istringstream lines(ReadFile(SourceMaps()[0]));
  std::string line;
  while (std::getline(lines, line))
    if (!line.empty() && line[0] != '#') rows.push_back(line);
  return rows;
}

TEST(GlyphTool, RefusesABrokenMapAndWritesNothing) {
  const std::vector<BrokenMap> cases = {
      {"short row",
       [](std::vector<std::string>& r) {
         r[4].pop_back();
         return std::string("bad.txt:5: a pixel row must be 20 characters");
       }},
      {"long row",
       [](std::vector<std::string>& r) {
         r[0] += ".";
         return std::string("bad.txt:1: a pixel row must be 20 characters");
       }},
      {"unknown colour",
       [](std::vector<std::string>& r) {
         r[7][9] = 'x';
         return std::string("bad.txt:8: 'x' is not in the legend");
       }},
      {"too few rows",
       [](std::vector<std::string>& r) {
         r.pop_back();
         return std::string("expected 20 pixel rows, found 19");
       }},
      {"too many rows",
       [](std::vector<std::string>& r) {
         r.push_back(r.back());
         return std::string("bad.txt:21: more than 20 pixel rows");
       }},
      {"opaque bottom-left",
       [](std::vector<std::string>& r) {
         r[19][0] = 'w';
         return std::string("bottom-left pixel must be the transparent colour");
       }},
      {"nothing dark",
       [](std::vector<std::string>& r) {
         for (auto& row : r)
           for (auto& c : row)
             if (c != '.') c = 'Y';
         return std::string("no dark pixel");
       }},
  };
  for (const auto& broken : cases) {
    SCOPED_TRACE(broken.what);
    std::vector<std::string> rows = NewRows();
    ASSERT_EQ(rows.size(), 20u);
    const std::string expected = broken.edit(rows);
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    TempDir in, out;
    WriteFile(in.File("bad.txt"), text);
    auto maps = SourceMaps();
    maps[5] = in.File("bad.txt");
    Result r = RunGlyphTool(out.Str(), maps);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find(expected), std::string::npos) << r.errors;
    EXPECT_TRUE(fs::is_empty(out.Path())) << "wrote output despite the broken map";
  }
}

TEST(GlyphTool, RefusesAMissingMapAndAWrongNumberOfMaps) {
  TempDir out;
  auto maps = SourceMaps();
  maps[20] = out.File("no-such-map.txt");
  Result missing = RunGlyphTool(out.Str(), maps);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.errors.find("no-such-map.txt: cannot read"), std::string::npos);
  maps.pop_back();
  Result tooFew = RunGlyphTool(out.Str(), maps);
  EXPECT_EQ(tooFew.status, 2);
  EXPECT_NE(tooFew.errors.find("usage: glyphgen"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(out.Path()));
}

// ---- The wizard's page pictures: glyphgen --picture WIDTH HEIGHT MAP FILE ----

const fs::path kPictureDir = fs::path(ORVALEN_SOURCE_DIR) / "resources" / "pictures";

Result RunPictureTool(const std::string& width, const std::string& height, const std::string& map,
                      const std::string& file) {
  return RunGlyphTool("--picture", {width, height, map, file});
}

TEST(GlyphTool, DrawsEachPagePictureAsEmbedded) {
  for (const char* name : {"MENUDSGN", "EXTDSGN", "SPEEDDSGN", "INFODSGN"}) {
    SCOPED_TRACE(name);
    std::string map = name;
    for (char& c : map) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    TempDir out;
    ASSERT_EQ(RunPictureTool("107", "72", (kPictureDir / (map + ".txt")).string(),
                             out.File("picture.bmp"))
                  .status,
              0);
    auto embedded = platform::FindResource(name, platform::ResourceType::Bitmap);
    ASSERT_TRUE(embedded.has_value());
    EXPECT_EQ(ReadFile(out.File("picture.bmp")), std::string(embedded->begin(), embedded->end()));
  }
}

TEST(GlyphTool, RefusesABrokenPagePictureAndWritesNothing) {
  struct Case {
    const char* what;
    std::string width, height;
    void (*edit)(std::vector<std::string>& rows);
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"as wide as a glyph", "20", "72", [](std::vector<std::string>&) {},
       "bad.txt:1: a pixel row must be 20 characters"},
      {"short row", "107", "72", [](std::vector<std::string>& r) { r[30].pop_back(); },
       "bad.txt:31: a pixel row must be 107 characters"},
      {"unknown colour", "107", "72", [](std::vector<std::string>& r) { r[2][50] = 'W'; },
       "bad.txt:3: 'W' is not in the legend"},
      {"too few rows", "107", "72", [](std::vector<std::string>& r) { r.pop_back(); },
       "expected 72 pixel rows, found 71"},
      {"too many rows", "107", "72", [](std::vector<std::string>& r) { r.push_back(r[0]); },
       "bad.txt:73: more than 72 pixel rows"},
      {"opaque bottom-left", "107", "72", [](std::vector<std::string>& r) { r[71][0] = 's'; },
       "bottom-left pixel must be the transparent colour"},
      {"no size", "107", "0", [](std::vector<std::string>&) {}, "'0' is not a picture dimension"},
      {"not a number", "107x", "72", [](std::vector<std::string>&) {},
       "'107x' is not a picture dimension"},
  };
  std::vector<std::string> original;
  std::istringstream lines(ReadFile((kPictureDir / "menudsgn.txt").string()));
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && line[0] != '#') original.push_back(line);
  ASSERT_EQ(original.size(), 72u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> rows = original;
    c.edit(rows);
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    TempDir in, out;
    WriteFile(in.File("bad.txt"), text);
    Result r = RunPictureTool(c.width, c.height, in.File("bad.txt"), out.File("picture.bmp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find(c.expected), std::string::npos) << r.errors;
    EXPECT_TRUE(fs::is_empty(out.Path())) << "wrote a picture despite the broken map";
  }
  TempDir out;
  Result usage = RunGlyphTool("--picture", {"107", "72", out.File("picture.bmp")});
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.errors.find("usage: glyphgen --picture"), std::string::npos);
}

// ---- Black and white pictures: glyphgen --mono WIDTH HEIGHT MAP FILE ----

TEST(GlyphTool, DrawsTheSpeedPointerAsEmbedded) {
  TempDir out;
  ASSERT_EQ(RunGlyphTool("--mono", {"10", "5", (kPictureDir / "speedpointer.txt").string(),
                                    out.File("pointer.bmp")})
                .status,
            0);
  auto embedded = platform::FindResource("SPEEDPOINTER", platform::ResourceType::Bitmap);
  ASSERT_TRUE(embedded.has_value());
  EXPECT_EQ(ReadFile(out.File("pointer.bmp")), std::string(embedded->begin(), embedded->end()));
}

TEST(GlyphTool, RefusesAMonoMapInOtherColoursOrSizesAndWritesNothing) {
  const std::string triangle = "wwkkww\nwkkkkw\nkkkkkk\n";
  struct Case {
    const char* what;
    std::string width, map, expected;
  };
  const std::vector<Case> cases = {
      {"another colour", "6", "wwkkww\nwkkrkw\nkkkkkk\n", "bad.txt:2: 'r' is not one of \"kw\""},
      {"the transparent colour", "6", "..kk..\nwkkkkw\nkkkkkk\n",
       "bad.txt:1: '.' is not one of \"kw\""},
      {"not in the legend", "6", "wwkkww\nwkkkkw\nkkkKkk\n", "bad.txt:3: 'K' is not in the legend"},
      {"too wide a map", "5", triangle, "bad.txt:1: a pixel row must be 5 characters"},
      {"too few rows", "6", "wwkkww\nwkkkkw\n", "expected 3 pixel rows, found 2"},
      {"no black pixel", "6", "wwwwww\nwwwwww\nwwwwww\n", "no black pixel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir in, out;
    WriteFile(in.File("bad.txt"), c.map);
    Result r = RunGlyphTool("--mono", {c.width, "3", in.File("bad.txt"), out.File("mono.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find(c.expected), std::string::npos) << r.errors;
    EXPECT_TRUE(fs::is_empty(out.Path())) << "wrote a picture despite the broken map";
  }
  // The same triangle is drawn: the refusals above come from the edits alone.
  TempDir in, out;
  WriteFile(in.File("good.txt"), triangle);
  EXPECT_EQ(RunGlyphTool("--mono", {"6", "3", in.File("good.txt"), out.File("mono.bmp")}).status,
            0);
}

}  // namespace
}  // namespace orvalen

#endif  // ORVALEN_GLYPHGEN
