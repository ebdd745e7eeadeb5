// The version information reader: the block read back from a program that
// carries it and from ELF files of every class and byte order, files that
// carry nothing or are damaged, the look-ups, and the module file names.
#include "platform/version_info.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/program_file.h"
#include "tests/test_support.h"

namespace orvalen::platform {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Load(const std::string& path) {
  std::string s = testing::ReadFile(path);
  return Bytes(s.begin(), s.end());
}

void Save(const std::string& path, const Bytes& b) {
  testing::WriteFile(path, std::string(b.begin(), b.end()));
}

std::span<const std::uint8_t> Span(const Bytes& b) {
  return {b.data(), b.size()};
}

const Bytes& Block() {
  static const Bytes block = Load(ORVALEN_VERSION_BLOCK);
  return block;
}

std::string Object(const std::string& format) {
  return std::string(ORVALEN_VERSION_OBJECTS) + "/" + format + ".o";
}

std::optional<std::string> String(const Bytes& block, std::string_view path) {
  return VerQueryString(block.data(), static_cast<std::uint32_t>(block.size()), path);
}

// ---- Files --------------------------------------------------------------------

TEST(VersionInfoFile, CarrierProgramReadsBackItsBlock) {
  ASSERT_GT(Block().size(), 92u);
  ASSERT_EQ(GetFileVersionInfoSize(ORVALEN_VERSION_CARRIER), Block().size());
  Bytes copy(Block().size());
  ASSERT_TRUE(GetFileVersionInfo(ORVALEN_VERSION_CARRIER, static_cast<std::uint32_t>(copy.size()),
                                 copy.data()));
  EXPECT_EQ(copy, Block());
  Bytes part(10, 0xEE);
  ASSERT_TRUE(GetFileVersionInfo(ORVALEN_VERSION_CARRIER, 8, part.data()));
  EXPECT_EQ(Bytes(part.begin(), part.begin() + 8), Bytes(Block().begin(), Block().begin() + 8));
  EXPECT_EQ(part[8], 0xEE) << "wrote past the size it was given";
}

TEST(VersionInfoFile, EveryClassAndByteOrderGivesTheBlock) {
  for (const char* format : {"elf32-little", "elf32-big", "elf64-little", "elf64-big"}) {
    SCOPED_TRACE(format);
    EXPECT_EQ(GetFileVersionInfoSize(Object(format)), Block().size());
    Bytes image = Load(Object(format));
    auto found = FindVersionInfo(Span(image));
    ASSERT_TRUE(found);
    EXPECT_EQ(Bytes(found->begin(), found->end()), Block());
  }
}

TEST(VersionInfoFile, FilesWithoutTheSectionGiveNothing) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("text"), "not a program\n");
  testing::WriteFile(dir.File("empty"), "");
  testing::WriteFile(dir.File("magic"), "\177ELF\2\1\1");
  fs::create_directory(dir.File("directory"));
  for (std::string path : {std::string(ORVALEN_VERSION_PLAIN), dir.File("text"), dir.File("empty"),
                           dir.File("magic"), dir.File("missing"), dir.File("directory")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(GetFileVersionInfoSize(path), 0u);
    Bytes block(64);
    EXPECT_FALSE(GetFileVersionInfo(path, 64, block.data()));
  }
}

// Fields of an ELF64 little-endian file, for damaging it.
struct Elf64 {
  Bytes& b;
  std::uint64_t Get(std::size_t at, int width) const {
    std::uint64_t v = 0;
    for (int k = width - 1; k >= 0; --k) v = v << 8 | b.at(at + k);
    return v;
  }
  void Set(std::size_t at, int width, std::uint64_t v) {
    for (int k = 0; k < width; ++k) b.at(at + k) = static_cast<std::uint8_t>(v >> 8 * k);
  }
  std::size_t Header(std::uint64_t index) const { return Get(40, 8) + index * Get(58, 2); }
  std::uint64_t Count() const { return Get(60, 2); }
  std::uint64_t NameTable() const { return Get(62, 2); }
  std::size_t Named(const std::string& name) const {
    std::uint64_t names = Get(Header(NameTable()) + 24, 8);
    for (std::uint64_t i = 0; i < Count(); ++i)
      if (std::strcmp(reinterpret_cast<const char*>(&b.at(names + Get(Header(i), 4))),
                      name.c_str()) == 0)
        return Header(i);
    ADD_FAILURE() << "no section " << name;
    return 0;
  }
};

TEST(VersionInfoFile, DamagedHeadersGiveNothing) {
  const Bytes good = Load(Object("elf64-little"));
  struct Damage {
    const char* what;
    void (*apply)(Elf64&);
  };
  const Damage damages[] = {
      {"magic", [](Elf64& e) { e.b[1] = 'e'; }},
      {"class 3", [](Elf64& e) { e.b[4] = 3; }},
      {"byte order 3", [](Elf64& e) { e.b[5] = 3; }},
      {"big-endian claimed", [](Elf64& e) { e.b[5] = 2; }},
      {"ident version 0", [](Elf64& e) { e.b[6] = 0; }},
      {"table past the end", [](Elf64& e) { e.Set(40, 8, e.b.size()); }},
      {"table offset overflows", [](Elf64& e) { e.Set(40, 8, ~std::uint64_t{0x3F}); }},
      {"no table", [](Elf64& e) { e.Set(40, 8, 0); }},
      {"entries too small", [](Elf64& e) { e.Set(58, 2, 63); }},
      {"too many entries", [](Elf64& e) { e.Set(60, 2, 0xFF00); }},
      {"name table index out of range", [](Elf64& e) { e.Set(62, 2, e.Count()); }},
      {"no name table", [](Elf64& e) { e.Set(62, 2, 0); }},
      {"name table past the end",
       [](Elf64& e) { e.Set(e.Header(e.NameTable()) + 24, 8, e.b.size() - 2); }},
      {"name table without bytes", [](Elf64& e) { e.Set(e.Header(e.NameTable()) + 4, 4, 8); }},
      {"section past the end",
       [](Elf64& e) { e.Set(e.Named(".versioninfo") + 32, 8, e.b.size()); }},
      {"section offset overflows",
       [](Elf64& e) { e.Set(e.Named(".versioninfo") + 24, 8, ~std::uint64_t{0xF}); }},
      {"section without bytes", [](Elf64& e) { e.Set(e.Named(".versioninfo") + 4, 4, 8); }},
      {"empty section", [](Elf64& e) { e.Set(e.Named(".versioninfo") + 32, 8, 0); }},
      {"name past the table",
       [](Elf64& e) {
         e.Set(e.Named(".versioninfo"), 4, e.Get(e.Header(e.NameTable()) + 32, 8) - 4);
       }},
      {"other name",
       [](Elf64& e) {
         e.b[e.Get(e.Named(".versioninfo"), 4) + e.Get(e.Header(e.NameTable()) + 24, 8) + 1] = 'w';
       }},
  };
  testing::TempDir dir;
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    Bytes bad = good;
    Elf64 elf{bad};
    d.apply(elf);
    EXPECT_FALSE(FindVersionInfo(Span(bad)));
    Save(dir.File("damaged"), bad);
    EXPECT_EQ(GetFileVersionInfoSize(dir.File("damaged")), 0u);
  }
}

TEST(VersionInfoFile, TruncatedFilesGiveNothing) {
  const Bytes good = Load(Object("elf64-little"));
  for (std::size_t n = 0; n < good.size(); ++n) {
    Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(FindVersionInfo(Span(cut))) << "cut at " << n;
  }
  testing::TempDir dir;
  Save(dir.File("cut"), Bytes(good.begin(), good.end() - 1));
  EXPECT_EQ(GetFileVersionInfoSize(dir.File("cut")), 0u);
}

// Files with more sections than the header's 16-bit fields count keep the
// count and the name table's index in section 0.
TEST(VersionInfoFile, ExtendedSectionNumberingIsFollowed) {
  Bytes image = Load(Object("elf64-little"));
  Elf64 elf{image};
  const std::uint64_t count = elf.Count(), names = elf.NameTable();
  elf.Set(elf.Header(0) + 32, 8, count);
  elf.Set(elf.Header(0) + 40, 4, names);
  elf.Set(60, 2, 0);
  elf.Set(62, 2, 0xFFFF);
  auto found = FindVersionInfo(Span(image));
  ASSERT_TRUE(found);
  EXPECT_EQ(Bytes(found->begin(), found->end()), Block());
}

// ---- Look-ups --------------------------------------------------------------------

TEST(VersionInfoQuery, EveryStringOfTheScript) {
  const std::string v = ORVALEN_PROJECT_VERSION;
  const std::pair<const char*, std::string> strings[] = {
      {"CompanyName", "Orvalen"},
      {"FileDescription", "Orvalen project wizard"},
      {"FileVersion", v},
      {"InternalName", "testorvalen"},
      {"LegalCopyright", "Copyright (C) 2026 the Orvalen developers"},
      {"LegalTrademarks", "All trademarks are the property of their respective owners"},
      {"OriginalFilename", "testorvalen"},
      {"ProductName", "Orvalen"},
      {"ProductVersion", v},
      {"Comments", "A project wizard for Object Pascal applications"},
      {"Email", "team@orvalen.dev"},
      {"URL", "https://orvalen.dev/"},
  };
  std::vector<std::string> keys;
  for (const auto& [key, text] : strings) {
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
    EXPECT_EQ(String(Block(), path), text) << key;
    const void* value = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(VerQueryValue(Block().data(), static_cast<std::uint32_t>(Block().size()), path,
                              &value, &length));
    ASSERT_EQ(length, text.size() + 1) << key;  // the characters and the NUL
    const auto* chars = static_cast<const std::uint8_t*>(value);
    EXPECT_EQ(chars[2 * text.size()] | chars[2 * text.size() + 1], 0) << key;
    keys.push_back(key);
  }
  std::uint32_t size = static_cast<std::uint32_t>(Block().size());
  EXPECT_EQ(VerQueryNames(Block().data(), size, "\\StringFileInfo\\040904E4"), keys);
  EXPECT_EQ(VerQueryNames(Block().data(), size, "\\"),
            (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
}

TEST(VersionInfoQuery, FixedFileInfoAndTranslation) {
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(ORVALEN_PROJECT_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
  const void* value = nullptr;
  std::uint32_t length = 0;
  const auto size = static_cast<std::uint32_t>(Block().size());
  ASSERT_TRUE(VerQueryValue(Block().data(), size, "\\", &value, &length));
  ASSERT_EQ(length, 52u);
  std::uint32_t fixed[13];
  std::memcpy(fixed, value, sizeof fixed);
  const std::uint32_t ms = major << 16 | minor, ls = patch << 16;
  const std::uint32_t expected[13] = {0xFEEF04BD, 0x00010000, ms, ls, ms, ls, 0x3F,
                                      0,          4,          1,  0,  0,  0};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(fixed[i], expected[i]) << "field " << i;

  ASSERT_TRUE(VerQueryValue(Block().data(), size, "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* t = static_cast<const std::uint8_t*>(value);
  EXPECT_EQ(Bytes(t, t + 4), (Bytes{0x09, 0x04, 0xE4, 0x04}));
}

TEST(VersionInfoQuery, PathsFoundAndNot) {
  const struct {
    const char* path;
    std::optional<std::string> text;
  } cases[] = {
      {"\\StringFileInfo\\040904E4\\LegalTradeMarks",
       "All trademarks are the property of their respective owners"},
      {"\\STRINGFILEINFO\\040904e4\\companyname", "Orvalen"},
      {"StringFileInfo\\040904E4\\Email", "team@orvalen.dev"},
      {"\\StringFileInfo\\\\040904E4\\URL\\", "https://orvalen.dev/"},
      {"\\StringFileInfo\\040904E4\\CompanyNam", std::nullopt},
      {"\\StringFileInfo\\040904E4\\CompanyNameX", std::nullopt},
      {"\\StringFileInfo\\040704B0\\CompanyName", std::nullopt},
      {"\\StringFileInfo\\CompanyName", std::nullopt},
      {"\\StringFileInfo\\040904E4\\CompanyName\\More", std::nullopt},
      {"\\StringFileInfo\\040904E4\\Company\u00F1ame", std::nullopt},
      {"\\StringFileInfo\\040904E4\\\xC1\x83ompanyName", std::nullopt},  // an overlong "C"
      {"\\StringFileInfo\\040904E4", std::nullopt},                      // a table, not a text
      {"\\VarFileInfo\\Translation", std::nullopt},                      // binary
  };
  for (const auto& c : cases) EXPECT_EQ(String(Block(), c.path), c.text) << c.path;
  const void* value = nullptr;
  std::uint32_t length = 0;
  EXPECT_FALSE(VerQueryValue(Block().data(), static_cast<std::uint32_t>(Block().size()),
                             "\\VarFileInfo\\translatio", &value, &length));
  EXPECT_FALSE(VerQueryValue(nullptr, 100, "\\", &value, &length));
}

// Every size short of the whole block: the root reaches past it, so nothing
// is found, and (under the sanitizers) nothing past the size is read.
TEST(VersionInfoQuery, CutBlocksAnswerNothing) {
  for (std::size_t n = 0; n < Block().size(); ++n) {
    Bytes cut(Block().begin(), Block().begin() + static_cast<std::ptrdiff_t>(n));
    const void* value = nullptr;
    std::uint32_t length = 0;
    EXPECT_FALSE(VerQueryValue(cut.data(), static_cast<std::uint32_t>(n), "\\", &value, &length));
    EXPECT_FALSE(String(cut, "\\StringFileInfo\\040904E4\\URL"));
  }
}

TEST(VersionInfoQuery, DamagedEntriesAreRefused) {
  // The entries of the first and the last string of the table.
  auto entry = [](const std::string& key) {
    std::string utf16;
    for (char c : key + '\0') utf16 += std::string{c, '\0'};
    std::string block(Block().begin(), Block().end());
    return block.find(utf16) - 6;
  };
  const std::size_t first = entry("CompanyName"), last = entry("URL");
  auto set16 = [](Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  const struct {
    const char* what;
    std::size_t at;
    unsigned value;
    bool firstFound, lastFound;  // a damaged entry hides the ones after it
  } cases[] = {
      {"root shorter than its header", 0, 4, false, false},
      {"root longer than the block", 0, 0xFFFF, false, false},
      {"first entry of length 0", first, 0, false, false},
      {"first entry past its table", first, 0x400, false, false},
      {"first value past its entry", first + 2, 0x100, false, false},
      {"last entry of length 5", last, 5, true, false},
      {"last value past its entry", last + 2, 22, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bad = Block();
    set16(bad, c.at, c.value);
    EXPECT_EQ(String(bad, "\\StringFileInfo\\040904E4\\CompanyName").has_value(), c.firstFound);
    EXPECT_EQ(String(bad, "\\StringFileInfo\\040904E4\\URL").has_value(), c.lastFound);
  }
  // A key without its NUL, running to the end of the entry.
  Bytes bad = Block();
  for (std::size_t at = first + 6; at < first + (bad[first] | bad[first + 1] << 8); ++at)
    bad[at] = 'A';
  EXPECT_FALSE(String(bad, "\\StringFileInfo\\040904E4\\URL"));
}

// ---- Module file names ------------------------------------------------------------

void AFunctionOfTheTestProgram() {}

TEST(ModuleFileName, NamesTheProgramAndALoadedModule) {
  const void* here = reinterpret_cast<const void*>(&AFunctionOfTheTestProgram);
  EXPECT_TRUE(fs::equivalent(ModuleFileName(here), ORVALEN_BINARY_DIR "/tests/orvalen_tests"));
  EXPECT_TRUE(fs::equivalent(ProgramFileName(), ORVALEN_BINARY_DIR "/tests/orvalen_tests"));

  void* module = dlopen(ORVALEN_VERSION_MODULE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_TRUE(module) << dlerror();
  auto name = reinterpret_cast<const char* (*)()>(dlsym(module, "VersionInfoModuleFileName"));
  ASSERT_TRUE(name);
  EXPECT_EQ(std::string(name()), ORVALEN_VERSION_MODULE);
  dlclose(module);

  int onTheStack = 0;
  EXPECT_EQ(ModuleFileName(&onTheStack), "");
  EXPECT_EQ(ModuleFileName(nullptr), "");
}

TEST(ModuleFileName, CutToTheLengthAsked) {
  const void* here = reinterpret_cast<const void*>(&AFunctionOfTheTestProgram);
  const std::string full = ModuleFileName(here, 4096);
  ASSERT_FALSE(full.empty());
  EXPECT_EQ(ModuleFileName(here), full.substr(0, 255));
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{10}, full.size() - 1,
                        full.size(), full.size() + 5})
    EXPECT_EQ(ModuleFileName(here, n), full.substr(0, n)) << n;
}

}  // namespace
}  // namespace orvalen::platform
