#include "units/about_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "generator/emitter.h"
#include "generator/snippet_library.h"
#include "generator/wizard_settings.h"
#include "platform/streams.h"
#include "run/generation_run.h"
#include "tests/test_support.h"
#include "units/form_conversion.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::Visible;

std::string ShippedUnit() {
  return ReadFile(ORVALEN_SOURCE_DIR "/resources/pascal/stdabout.pas");
}
std::string ShippedFormText() {
  return ReadFile(ORVALEN_SOURCE_DIR "/resources/pascal/stdabout.txt");
}

template <typename Writer>
std::string Written(Writer writer) {
  SnippetLibrary library;
  platform::MemoryStream out;
  Emitter emitter(out, library);
  writer(WizardSettings{}, emitter);
  return out.Text();
}

std::string Trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  auto e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// ---------------------------------------------------------------------------
// The form text read back: objects with their properties, in order.

struct FormObject {
  std::string name, type;
  std::vector<std::pair<std::string, std::string>> properties;  // hex data joined, braces kept
  std::vector<FormObject> children;

  const std::string* Property(const std::string& key) const {
    for (const auto& [k, v] : properties)
      if (k == key) return &v;
    return nullptr;
  }
};

// Reads the line structure the writers produce: "object N: T", "P = V" (a
// hexadecimal value may run over several lines up to its "}"), "end".
// Anything else fails the test with the line.
class FormReader {
 public:
  explicit FormReader(const std::string& text) : lines_(SplitLines(text)) {}

  FormObject Root() {
    FormObject root = Object();
    while (pos_ < lines_.size()) {
      EXPECT_EQ(Trim(lines_[pos_]), "") << "text after the last end, line " << pos_ + 1;
      ++pos_;
    }
    return root;
  }

 private:
  FormObject Object() {
    FormObject object;
    std::string head = Trim(Next());
    EXPECT_EQ(head.rfind("object ", 0), 0u) << "expected an object, got: " << head;
    auto colon = head.find(": ");
    EXPECT_NE(colon, std::string::npos) << head;
    if (colon == std::string::npos) return object;
    object.name = head.substr(7, colon - 7);
    object.type = head.substr(colon + 2);
    while (pos_ < lines_.size()) {
      std::string line = Trim(lines_[pos_]);
      if (line == "end") {
        ++pos_;
        return object;
      }
      if (line.rfind("object ", 0) == 0) {
        object.children.push_back(Object());
        continue;
      }
      EXPECT_TRUE(object.children.empty()) << "a property after a child object: " << line;
      ++pos_;
      auto eq = line.find(" = ");
      EXPECT_NE(eq, std::string::npos) << "not a property line: " << line;
      if (eq == std::string::npos) continue;
      std::string value = line.substr(eq + 3);
      if (value.front() == '{') {
        while (value.back() != '}' && pos_ < lines_.size()) value += Trim(Next());
      }
      object.properties.emplace_back(line.substr(0, eq), value);
    }
    ADD_FAILURE() << "object " << object.name << " has no end";
    return object;
  }

  std::string Next() { return pos_ < lines_.size() ? lines_[pos_++] : std::string(); }

  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

void CollectObjects(const FormObject& o, std::vector<const FormObject*>& all) {
  for (const auto& child : o.children) {
    all.push_back(&child);
    CollectObjects(child, all);
  }
}

void CollectHandlers(const FormObject& o, std::set<std::string>& handlers) {
  for (const auto& [key, value] : o.properties)
    if (key.size() > 2 && key.rfind("On", 0) == 0 &&
        std::isupper(static_cast<unsigned char>(key[2])))
      handlers.insert(value);
  for (const auto& child : o.children) CollectHandlers(child, handlers);
}

bool IsIdentifier(const std::string& s) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
  return std::all_of(s.begin(), s.end(),
                     [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

// True when `value` is one of the value forms a binary form file can hold
// without surprises: an integer, an identifier, one quoted string, a set of
// identifiers, or hexadecimal data with an even number of digits.
bool IsPlainValue(const std::string& value) {
  if (value.empty()) return false;
  if (IsIdentifier(value)) return true;
  std::size_t digits = value[0] == '-' || value[0] == '+' ? 1 : 0;
  if (digits < value.size() && std::all_of(value.begin() + digits, value.end(),
                                           [](unsigned char c) { return std::isdigit(c); }))
    return true;
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    std::string inner = value.substr(1, value.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
      if (inner[i] != '\'') continue;
      if (i + 1 >= inner.size() || inner[i + 1] != '\'') return false;  // a lone quote ends it
      ++i;
    }
    return true;
  }
  if (value.front() == '[' && value.back() == ']') {
    std::string inner = value.substr(1, value.size() - 2);
    if (Trim(inner).empty()) return true;
    std::size_t start = 0;
    while (true) {
      auto comma = inner.find(',', start);
      if (!IsIdentifier(Trim(inner.substr(start, comma - start)))) return false;
      if (comma == std::string::npos) return true;
      start = comma + 1;
    }
  }
  if (value.front() == '{' && value.back() == '}') {
    std::string inner = value.substr(1, value.size() - 2);
    return inner.size() % 2 == 0 && std::all_of(inner.begin(), inner.end(),
                                                [](unsigned char c) { return std::isxdigit(c); });
  }
  return false;
}

std::vector<std::uint8_t> HexBytes(const std::string& braced) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 1; i + 2 < braced.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(braced.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
         static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
unsigned Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8;
}

// ---------------------------------------------------------------------------
// The unit read back: the published part of TAboutForm.

struct UnitClass {
  std::vector<std::pair<std::string, std::string>> fields;  // name, type, in order
  std::set<std::string> handlers;                           // "procedure X(Sender: TObject);"
};

UnitClass PublishedPart(const std::string& unit) {
  UnitClass result;
  auto start = unit.find("TAboutForm = class(TForm)");
  EXPECT_NE(start, std::string::npos);
  if (start == std::string::npos) return result;
  auto lines = SplitLines(unit.substr(start));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string line = Trim(lines[i]);
    if (line == "private" || line == "public" || line == "protected" || line == "end;") break;
    const std::string procedure = "procedure ";
    if (line.rfind(procedure, 0) == 0) {
      auto paren = line.find('(');
      EXPECT_EQ(line.substr(paren), "(Sender: TObject);") << line;
      result.handlers.insert(line.substr(procedure.size(), paren - procedure.size()));
      continue;
    }
    auto colon = line.find(": ");
    if (colon == std::string::npos || line.back() != ';') {
      ADD_FAILURE() << "unexpected line in the published part: " << line;
      continue;
    }
    result.fields.emplace_back(line.substr(0, colon),
                               line.substr(colon + 2, line.size() - colon - 3));
  }
  return result;
}

// ---------------------------------------------------------------------------

TEST(AboutUnit, WritersCopyTheShippedTextsByteForByte) {
  std::string unit = ShippedUnit(), form = ShippedFormText();
  ASSERT_FALSE(unit.empty());
  ASSERT_FALSE(form.empty());
  EXPECT_EQ(Written(WriteAboutUnit), unit);
  EXPECT_EQ(Written(WriteAboutFormText), form);
}

TEST(AboutUnit, EveryRunWritesTheSameUnitAndFormTextAfterTheOtherFiles) {
  std::vector<WizardSettings> variants(5);
  variants[0].AppName = "Plain";
  variants[1].AppName = "Everything";
  variants[1].cbFileMenu = variants[1].cbEditMenu = variants[1].cbWindowMenu =
      variants[1].cbHelpMenu = variants[1].cbMRU = variants[1].cbMRUReg = true;
  variants[1].ExtListBox = {"Text files (*.txt)|*.txt"};
  variants[1].Speedbar = {11100, kSpeedbarSpace, 11101};
  variants[1].SingleInstanceApp = true;
  variants[2].AppName = "NoMdi";
  variants[2].cbMDIApp = variants[2].cbStatusLine = variants[2].cbHints = false;
  variants[3].AppName = "HelpOnly";
  variants[3].cbHelpMenu = true;
  variants[4].AppName = "X";
  variants[4].cbWindowMenu = true;

  const std::string unit = ShippedUnit(), form = ShippedFormText();
  for (const auto& settings : variants) {
    SCOPED_TRACE(settings.AppName);
    TempDir dir;
    WizardSettings s = settings;
    s.AppPath = dir.Str();
    GenerationResult result = GenerateApplication(s);
    EXPECT_EQ(ReadFile(dir.File("STDABOUT.PAS")), unit);
    EXPECT_EQ(ReadFile(dir.File("STDABOUT.TXT")), form);

    const auto& files = result.files;
    auto pas = std::find(files.begin(), files.end(), dir.File("STDABOUT.PAS"));
    auto txt = std::find(files.begin(), files.end(), dir.File("STDABOUT.TXT"));
    ASSERT_NE(pas, files.end());
    ASSERT_NE(txt, files.end());
    EXPECT_EQ(txt, pas + 1) << "the form text follows its unit";
    for (auto f = files.begin(); f != pas; ++f)
      EXPECT_EQ(f->find("STDABOUT."), std::string::npos) << *f;
    for (auto f = txt + 1; f != files.end(); ++f)
      EXPECT_EQ(*f, dir.File("STDABOUT.DFM")) << "only the form's binary file may follow";
  }
}

TEST(AboutUnit, TextsAreWindows1252WithCrLfLineEndsOnly) {
  for (const auto& [name, text] :
       {std::pair{"unit", ShippedUnit()}, {"form text", ShippedFormText()}}) {
    SCOPED_TRACE(name);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << "the last line is ended";
    for (std::size_t i = 0; i < text.size(); ++i) {
      auto c = static_cast<unsigned char>(text[i]);
      if (c == '\n') {
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
      }
      if (c == '\r') {
        EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
      }
      // Control characters other than the line ends, and the five byte values
      // Windows-1252 leaves undefined, have no place in a source text.
      EXPECT_FALSE((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F || c == 0x81 || c == 0x8D ||
                   c == 0x8F || c == 0x90 || c == 0x9D)
          << "byte " << static_cast<int>(c) << " at " << i;
    }
  }
}

TEST(AboutUnit, UnitDeclaresExactlyTheFormsControlsAndHandlers) {
  const std::string unit = ShippedUnit();
  FormObject root = FormReader(ShippedFormText()).Root();
  EXPECT_EQ(root.name, "AboutForm");
  EXPECT_EQ(root.type, "TAboutForm");
  EXPECT_NE(unit.find("\r\nvar\r\n  AboutForm: TAboutForm;\r\n"), std::string::npos)
      << "the form variable the generated main unit uses";
  EXPECT_NE(unit.find("\r\nprocedure ShowAboutBox;\r\n"), std::string::npos);
  EXPECT_EQ(unit.find("unit STDAbout;\r\n"), 0u);

  UnitClass cls = PublishedPart(unit);
  std::vector<const FormObject*> objects;
  CollectObjects(root, objects);
  std::map<std::string, std::string> formTypes, unitTypes(cls.fields.begin(), cls.fields.end());
  for (const auto* o : objects) {
    EXPECT_TRUE(formTypes.emplace(o->name, o->type).second) << "object named twice: " << o->name;
  }
  EXPECT_EQ(unitTypes, formTypes) << "published fields and form objects differ";
  EXPECT_EQ(unitTypes.size(), cls.fields.size()) << "a field declared twice";

  std::set<std::string> handlers;
  CollectHandlers(root, handlers);
  EXPECT_EQ(handlers, (std::set<std::string>{"FormCreate", "OKButtonClick", "UrlLabelClick"}));
  EXPECT_EQ(cls.handlers, handlers) << "published methods and the form's handlers differ";
  for (const auto& h : handlers)
    EXPECT_NE(unit.find("procedure TAboutForm." + h + "(Sender: TObject);\r\n"), std::string::npos)
        << h << " has no body";

  std::vector<std::string> order;
  for (const auto& [name, type] : cls.fields) order.push_back(name + ": " + type);
  EXPECT_EQ(order,
            (std::vector<std::string>{
                "OKButton: TButton", "SecretPanel1: TPanel", "M: TMemo", "VersionLabel: TLabel",
                "Version: TLabel", "CopyrightLabel: TLabel", "ProgramIcon: TImage",
                "ProductName: TLabel", "EmailUrl: TLabel", "UrlLabel: TLabel"}));
}

TEST(AboutUnit, UnitCarriesTheAboutBoxTextsAsTheyStand) {
  const std::string unit = ShippedUnit();
  for (const char* text : {
           "'User: %s on %s (%s) in domain:%s'",
           "'Running %s Version %s Registered to %s of %s'",
           "'-- Version Information for %s in %s--'",
           "'No FileVersionInfo found'",
           "'FileVersionInfoSize='",
           "'%15s = %s'",
           "'mailto:' + Value + '?subject=' + Application.Title",
           "'040904E4'",
           "'Failure reading user name'",
           "'System\\CurrentControlSet\\Services\\VxD\\VNETSUP'",
           "'SOFTWARE\\Microsoft\\Windows\\CurrentVersion'",
           "'StringFileInfo\\' + LangBlock + '\\' + Key",
           "array[0..UserNameSize - 1] of Char",
           "UserNameSize = 128;",
           "HKEY_LOCAL_MACHINE",
           "ShellExecute(Handle, 'open', PChar((Sender as TLabel).Caption)",
           "SW_SHOW);",
       }) {
    EXPECT_NE(unit.find(text), std::string::npos) << Visible(text);
  }

  // The ten keys of the text panel, in this order and nowhere else listed.
  std::size_t at = unit.find("VersionKeys: array[0..VersionKeyCount - 1] of string = (");
  ASSERT_NE(at, std::string::npos);
  for (const char* key :
       {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
        "LegalTradeMarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"}) {
    auto next = unit.find(std::string("'") + key + "'", at);
    ASSERT_NE(next, std::string::npos) << key << " missing or out of order";
    at = next;
  }
  EXPECT_NE(unit.find("VersionKeyCount = 10;"), std::string::npos);

  // The machine's keys are only ever read: never opened for writing, never created.
  EXPECT_EQ(unit.find("OpenKey("), std::string::npos);
  EXPECT_NE(unit.find("Reg.OpenKeyReadOnly('System"), std::string::npos);
  EXPECT_NE(unit.find("Reg.OpenKeyReadOnly('SOFTWARE"), std::string::npos);

  // The version block is freed on every way out, the early one included.
  auto alloc = unit.find("Info := AllocMem(InfoSize);\r\n  try\r\n");
  auto exitEarly = unit.find("Exit;", alloc);
  auto freed = unit.find("  finally\r\n    FreeMem(Info);\r\n  end;", alloc);
  ASSERT_NE(alloc, std::string::npos);
  ASSERT_NE(freed, std::string::npos);
  EXPECT_LT(exitEarly, freed);
  // The registry reader likewise.
  EXPECT_NE(unit.find("  finally\r\n    Reg.Free;\r\n    Reg := nil;\r\n  end;"),
            std::string::npos);
  EXPECT_NE(
      unit.find(
          "  finally\r\n    { Nobody may reach the form through AboutForm once it is gone. }\r\n"
          "    AboutForm := nil;\r\n    Form.Free;\r\n  end;"),
      std::string::npos);
  EXPECT_EQ(unit.substr(unit.size() - 6), "end.\r\n");
}

TEST(AboutUnit, FormTextUsesOnlyPlainValues) {
  const std::string text = ShippedFormText();
  for (const char* word : {"inherited ", "inline ", "<", "(", "#"})
    EXPECT_EQ(text.find(word), std::string::npos) << "'" << word << "' in the form text";
  FormObject root = FormReader(text).Root();
  std::vector<const FormObject*> all{&root};
  CollectObjects(root, all);
  for (const auto* o : all)
    for (const auto& [key, value] : o->properties)
      EXPECT_TRUE(IsPlainValue(value)) << o->name << "." << key << " = " << value.substr(0, 40);
}

TEST(AboutUnit, FormLayout) {
  FormObject root = FormReader(ShippedFormText()).Root();
  const std::vector<std::pair<std::string, std::string>> form = {
      {"BorderIcons", "[biSystemMenu, biMinimize]"},
      {"BorderStyle", "bsDialog"},
      {"Caption", "'About'"},
      {"ClientHeight", "326"},
      {"ClientWidth", "547"},
      {"Font.Height", "-11"},
      {"Font.Name", "'MS Sans Serif'"},
      {"Position", "poScreenCenter"},
      {"OnCreate", "FormCreate"},
      {"PixelsPerInch", "96"},
      {"TextHeight", "13"}};
  for (const auto& [key, value] : form) {
    const std::string* got = root.Property(key);
    ASSERT_NE(got, nullptr) << key;
    EXPECT_EQ(*got, value) << key;
  }

  // Left, Top, Width, Height (0 where the label sizes itself), parent.
  struct Place {
    const char* name;
    int left, top, width, height;
    const char* parent;
  };
  const Place places[] = {{"OKButton", 255, 292, 75, 25, "AboutForm"},
                          {"SecretPanel1", 0, 0, 547, 289, "AboutForm"},
                          {"M", 7, 104, 531, 177, "SecretPanel1"},
                          {"VersionLabel", 136, 48, 0, 0, "SecretPanel1"},
                          {"Version", 88, 48, 0, 0, "SecretPanel1"},
                          {"CopyrightLabel", 88, 32, 0, 0, "SecretPanel1"},
                          {"ProgramIcon", 8, 8, 65, 57, "SecretPanel1"},
                          {"ProductName", 88, 8, 0, 0, "SecretPanel1"},
                          {"EmailUrl", 88, 64, 0, 0, "SecretPanel1"},
                          {"UrlLabel", 88, 80, 0, 0, "SecretPanel1"}};
  std::map<std::string, std::pair<const FormObject*, std::string>> byName;
  for (const auto& child : root.children) {
    byName[child.name] = {&child, root.name};
    for (const auto& grandchild : child.children)
      byName[grandchild.name] = {&grandchild, child.name};
  }
  for (const auto& p : places) {
    SCOPED_TRACE(p.name);
    ASSERT_TRUE(byName.count(p.name));
    // Named, not a structured binding, so that the lambda below may capture it.
    const FormObject* object = byName[p.name].first;
    EXPECT_EQ(byName[p.name].second, p.parent);
    auto check = [&](const char* key, int value) {
      const std::string* got = object->Property(key);
      if (value == 0 && std::string(key) != "Left" && std::string(key) != "Top") {
        EXPECT_EQ(got, nullptr) << key << " of a label that sizes itself";
      } else {
        ASSERT_NE(got, nullptr) << key;
        EXPECT_EQ(*got, std::to_string(value)) << key;
      }
    };
    check("Left", p.left);
    check("Top", p.top);
    check("Width", p.width);
    check("Height", p.height);
  }

  // A label that receives nothing keeps its design caption, and the two links
  // open whatever they show.
  const std::map<std::string, std::string> captions = {{"ProductName", "'Product Name'"},
                                                       {"CopyrightLabel", "'CopyrightLabel'"},
                                                       {"VersionLabel", "'VersionLabel'"},
                                                       {"Version", "'Version'"},
                                                       {"EmailUrl", "'Emailurl'"},
                                                       {"UrlLabel", "'UrlLabel'"},
                                                       {"OKButton", "'OK'"}};
  for (const auto& [name, caption] : captions) {
    const std::string* got = byName[name].first->Property("Caption");
    ASSERT_NE(got, nullptr) << name;
    EXPECT_EQ(*got, caption) << name;
  }
  for (const char* link : {"EmailUrl", "UrlLabel"}) {
    const FormObject* o = byName[link].first;
    EXPECT_EQ(*o->Property("OnClick"), "UrlLabelClick") << link;
    EXPECT_EQ(*o->Property("Cursor"), "crHandPoint") << link;
    EXPECT_EQ(*o->Property("Font.Color"), "clBlue") << link;
  }
  const FormObject* ok = byName["OKButton"].first;
  EXPECT_EQ(*ok->Property("Default"), "True");
  EXPECT_EQ(*ok->Property("ModalResult"), "1");
  EXPECT_EQ(*ok->Property("OnClick"), "OKButtonClick");
  const FormObject* memo = byName["M"].first;
  EXPECT_EQ(*memo->Property("Anchors"), "[akLeft, akTop, akRight, akBottom]");
  EXPECT_EQ(*memo->Property("ScrollBars"), "ssVertical");
  EXPECT_EQ(*memo->Property("Font.Name"), "'Courier New'");
  EXPECT_EQ(*memo->Property("Font.Pitch"), "fpFixed");
  EXPECT_EQ(memo->Property("Lines.Strings"), nullptr) << "the panel starts empty";
}

TEST(AboutUnit, ProgramIconHoldsA32By32SixteenColourBitmap) {
  FormObject root = FormReader(ShippedFormText()).Root();
  const FormObject* icon = nullptr;
  for (const auto& child : root.children)
    for (const auto& grandchild : child.children)
      if (grandchild.name == "ProgramIcon") icon = &grandchild;
  ASSERT_NE(icon, nullptr);
  ASSERT_NE(icon->Property("Stretch"), nullptr);
  EXPECT_EQ(*icon->Property("Stretch"), "True");
  const std::string* data = icon->Property("Picture.Data");
  ASSERT_NE(data, nullptr);
  auto b = HexBytes(*data);

  // TPicture's data: the graphic class as a short string, then TBitmap's own:
  // the length of the BMP file image, then the image.
  ASSERT_GT(b.size(), 12u);
  ASSERT_EQ(b[0], 7);
  EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 8), "TBitmap");
  const std::uint32_t length = Le32(b, 8);
  ASSERT_EQ(length, b.size() - 12);
  std::vector<std::uint8_t> bmp(b.begin() + 12, b.end());

  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), bmp.size()) << "file size";
  const std::uint32_t pixels = Le32(bmp, 10);
  EXPECT_EQ(Le32(bmp, 14), 40u) << "info header";
  EXPECT_EQ(static_cast<std::int32_t>(Le32(bmp, 18)), 32);
  EXPECT_EQ(static_cast<std::int32_t>(Le32(bmp, 22)), 32);
  EXPECT_EQ(Le16(bmp, 26), 1u) << "planes";
  EXPECT_EQ(Le16(bmp, 28), 4u) << "bits per pixel";
  EXPECT_EQ(Le32(bmp, 30), 0u) << "uncompressed";
  const std::uint32_t colours = Le32(bmp, 46) ? Le32(bmp, 46) : 16;
  EXPECT_EQ(colours, 16u);
  EXPECT_EQ(pixels, 14u + 40u + colours * 4) << "pixels follow the palette";
  EXPECT_EQ(bmp.size(), pixels + 32u * 16u) << "32 rows of 16 bytes";
  for (std::uint32_t i = 0; i < colours; ++i)
    EXPECT_EQ(bmp.at(54 + 4 * i + 3), 0) << "palette entry " << i;

  // A picture, not a blank: more than one colour is used.
  std::set<int> used;
  for (std::size_t i = pixels; i < bmp.size(); ++i) {
    used.insert(bmp[i] >> 4);
    used.insert(bmp[i] & 0x0F);
  }
  EXPECT_GT(used.size(), 3u);
}

TEST(AboutUnit, FormTextConvertsToTheAboutFormsBinaryForm) {
  const std::string text = ShippedFormText();
  std::vector<std::uint8_t> dfm = ObjectTextToResource(text);
  const std::string header =
      std::string("\xFF\x0A\x00", 3) + "TABOUTFORM" + std::string("\0\x30\x10", 3);
  ASSERT_GT(dfm.size(), header.size() + 4);
  EXPECT_EQ(std::string(dfm.begin(), dfm.begin() + header.size()), header);
  EXPECT_EQ(Le32(dfm, header.size()), dfm.size() - header.size() - 4);
  const std::string stream(dfm.begin() + header.size() + 4, dfm.end());
  EXPECT_EQ(stream.rfind("TPF0\x0ATAboutForm\x09"
                         "AboutForm",
                         0),
            0u);

  // The picture reaches the binary form as binary data, byte for byte.
  FormObject root = FormReader(text).Root();
  std::vector<std::uint8_t> picture =
      HexBytes(*root.children.at(1).children.at(4).Property("Picture.Data"));
  std::string encoded = std::string("\x0CPicture.Data\x0A", 14);
  for (int shift = 0; shift < 32; shift += 8)
    encoded += static_cast<char>((picture.size() >> shift) & 0xFF);
  encoded.append(picture.begin(), picture.end());
  EXPECT_NE(stream.find(encoded), std::string::npos);
}

}  // namespace
}  // namespace orvalen
