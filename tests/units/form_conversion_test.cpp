// The form text conversion: the resource header, each kind of value as the
// form reader expects its bytes, the names and limits, and every text that
// must be refused with its reason and line.
#include "units/form_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "tests/test_support.h"
#include "tests/units/form_binary_text.h"

namespace orvalen {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> values) {
  Bytes b;
  for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
  return b;
}

Bytes B(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes ShortStr(const std::string& s) {
  return B({static_cast<int>(s.size())}) + B(s);
}

Bytes Convert(const std::string& text) {
  return ObjectTextToResource(text);
}

// Everything after "TPF0": the form stream without its signature.
Bytes StreamBody(const Bytes& file) {
  std::string s(file.begin(), file.end());
  auto at = s.find("TPF0");
  EXPECT_NE(at, std::string::npos);
  return Bytes(file.begin() + static_cast<std::ptrdiff_t>(at + 4), file.end());
}

// The bytes one property value becomes, cut out of a one-property form.
Bytes ValueBytes(const std::string& value) {
  Bytes body = StreamBody(Convert("object A: TB\r\n  P = " + value + "\r\nend\r\n"));
  Bytes prefix = ShortStr("TB") + ShortStr("A") + ShortStr("P");
  EXPECT_GE(body.size(), prefix.size() + 2) << value;
  EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), body.begin())) << value;
  EXPECT_EQ(body[body.size() - 2], 0) << value;
  EXPECT_EQ(body[body.size() - 1], 0) << value;
  return Bytes(body.begin() + static_cast<std::ptrdiff_t>(prefix.size()), body.end() - 2);
}

TEST(FormConversion, ResourceHeaderForTheMainFormOfEditor) {
  std::string text =
      "object MainFormEditor: TMainFormEditor\r\n"
      "  Left = 214\r\n"
      "end\r\n";
  Bytes stream = B("TPF0") + ShortStr("TMainFormEditor") + ShortStr("MainFormEditor") +
                 ShortStr("Left") + B({3, 214, 0, 0, 0});
  Bytes expected = B({0xFF, 0x0A, 0x00}) + B("TMAINFORMEDITOR") + B({0, 0x30, 0x10}) +
                   B({static_cast<int>(stream.size()), 0, 0, 0}) + stream;
  EXPECT_EQ(Convert(text), expected);
}

TEST(FormConversion, HeaderNameIsTheClassNameWithLettersInCapitals) {
  Bytes out = Convert("object a_1: Tx_9zZ end");
  Bytes expected_start = B({0xFF, 0x0A, 0x00}) + B("TX_9ZZ") + B({0, 0x30, 0x10});
  ASSERT_GE(out.size(), expected_start.size() + 4);
  EXPECT_TRUE(std::equal(expected_start.begin(), expected_start.end(), out.begin()));
  EXPECT_EQ(StreamBody(out), ShortStr("Tx_9zZ") + ShortStr("a_1") + B({0, 0}));
}

TEST(FormConversion, TheStreamLengthCountsEverythingAfterTheHeader) {
  for (const char* text :
       {"object A: TB end", "object TB\r\n  X = {00112233}\r\n  object C: TD end\r\nend"}) {
    Bytes out = Convert(text);
    std::size_t headerLength = 3 + 2 + 1 + 2 + 4;  // FF 0A00 "TB" 0 3010 length
    ASSERT_GT(out.size(), headerLength);
    std::uint32_t length =
        out[8] | out[9] << 8 | out[10] << 16 | static_cast<std::uint32_t>(out[11]) << 24;
    EXPECT_EQ(length, out.size() - headerLength) << text;
  }
}

TEST(FormConversion, ObjectWithoutANameHasAnEmptyName) {
  EXPECT_EQ(StreamBody(Convert("object TTimer\r\n  Interval = 1\r\nend\r\n")),
            ShortStr("TTimer") + B({0}) + ShortStr("Interval") + B({2, 1}) + B({0, 0}));
}

TEST(FormConversion, EachKindOfValueHasItsBytes) {
  struct Case {
    std::string value;
    Bytes bytes;
  } cases[] = {
      {"-11", B({2, 0xF5})},
      {"409", B({3, 0x99, 0x01})},
      {"True", B({9})},
      {"false", B({8})},
      {"TRUE", B({9})},
      {"FaLsE", B({8})},
      {"Null", B({0})},
      {"NULL", B({0})},
      {"nil", B({13})},
      {"Nil", B({13})},
      {"clWindowText", B({7}) + ShortStr("clWindowText")},
      {"_x9", B({7}) + ShortStr("_x9")},
      {"Truex", B({7}) + ShortStr("Truex")},
      {"[]", B({11, 0})},
      {"[fsBold]", B({11}) + ShortStr("fsBold") + B({0})},
      {"[ akLeft ,akTop,\r\n akRight ]",
       B({11}) + ShortStr("akLeft") + ShortStr("akTop") + ShortStr("akRight") + B({0})},
      {"[True, nil]", B({11}) + ShortStr("True") + ShortStr("nil") + B({0})},
      {"''", B({6, 0})},
      {"'MS Sans Serif'", B({6}) + ShortStr("MS Sans Serif")},
      {"{}", B({10, 0, 0, 0, 0})},
      {"{0AFF}", B({10, 2, 0, 0, 0, 0x0A, 0xFF})},
      {"{0aff}", B({10, 2, 0, 0, 0, 0x0A, 0xFF})},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueBytes(c.value), c.bytes) << c.value;
}

TEST(FormConversion, ShowHintTrueIsTheNameThenOneByte) {
  Bytes body = StreamBody(Convert("object A: TB\r\n  ShowHint = True\r\nend\r\n"));
  EXPECT_EQ(body, ShortStr("TB") + ShortStr("A") + ShortStr("ShowHint") + B({9}) + B({0, 0}));
  Bytes hidden = StreamBody(Convert("object A: TB\r\n  visible = false\r\nend\r\n"));
  EXPECT_EQ(hidden, ShortStr("TB") + ShortStr("A") + ShortStr("visible") + B({8}) + B({0, 0}));
}

TEST(FormConversion, IntegersTakeTheNarrowestOfOneTwoOrFourBytes) {
  struct Case {
    std::string value;
    Bytes bytes;
  } cases[] = {
      {"0", B({2, 0})},
      {"-0", B({2, 0})},
      {"+5", B({2, 5})},
      {"007", B({2, 7})},
      {"-128", B({2, 0x80})},
      {"127", B({2, 0x7F})},
      {"128", B({3, 0x80, 0x00})},
      {"-129", B({3, 0x7F, 0xFF})},
      {"32767", B({3, 0xFF, 0x7F})},
      {"-32768", B({3, 0x00, 0x80})},
      {"32768", B({4, 0x00, 0x80, 0x00, 0x00})},
      {"-32769", B({4, 0xFF, 0x7F, 0xFF, 0xFF})},
      {"65535", B({4, 0xFF, 0xFF, 0x00, 0x00})},
      {"2147483647", B({4, 0xFF, 0xFF, 0xFF, 0x7F})},
      {"-2147483648", B({4, 0x00, 0x00, 0x00, 0x80})},
      {"00000000000000000000000000001", B({2, 1})},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueBytes(c.value), c.bytes) << c.value;
}

TEST(FormConversion, StringsUpTo255BytesAreShortLongerOnesLong) {
  EXPECT_EQ(ValueBytes("'" + std::string(255, 'a') + "'"), B({6, 255}) + B(std::string(255, 'a')));
  EXPECT_EQ(ValueBytes("'" + std::string(256, 'b') + "'"),
            B({12, 0x00, 0x01, 0x00, 0x00}) + B(std::string(256, 'b')));
  // A long string put together from pieces; the length counts the bytes.
  std::string pieces =
      "'" + std::string(200, 'c') + "' +\r\n  '" + std::string(200, 'd') + "'#13#10";
  EXPECT_EQ(ValueBytes(pieces), B({12, 0x92, 0x01, 0x00, 0x00}) +
                                    B(std::string(200, 'c') + std::string(200, 'd') + "\r\n"));
  // Doubled quotes count one byte each: 300 of them make a long string.
  EXPECT_EQ(ValueBytes("'" + std::string(600, '\'') + "'"),
            B({12, 0x2C, 0x01, 0, 0}) + B(std::string(300, '\'')));
  EXPECT_EQ(ValueBytes("'" + std::string(510, '\'') + "'"),
            B({6, 255}) + B(std::string(255, '\'')));
}

TEST(FormConversion, StringPiecesQuotesAndCharacterCodes) {
  struct Case {
    std::string value;
    std::string bytes;
  } cases[] = {
      {"'It''s'", "It's"},
      {"''''", "'"},
      {"'a'#13#10'b'", "a\r\nb"},
      {"#65#66#67", "ABC"},
      {"#0", std::string(1, '\0')},
      {"#0065", "A"},
      {"'x' + 'y'", "xy"},
      {"'x'+'y'+#33", "xy!"},
      {"'x' +\r\n\r\n    'y'", "xy"},
      {"'a' + #13#10 + 'b'", "a\r\nb"},
      {"'{not data} [not, a, set] #not a code + no join'",
       "{not data} [not, a, set] #not a code + no join"},
      // Codes above 127 and the bytes of the text are the bytes of the string
      // (Windows-1252), one byte each, never widened.
      {"#128#233#255", "\x80\xE9\xFF"},
      {"'caf\xE9'", "caf\xE9"},
      {"'tab\there'", "tab\there"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ValueBytes(c.value), B({6, static_cast<int>(c.bytes.size())}) + B(c.bytes))
        << c.value;
  for (int code = 0; code <= 255; ++code) {
    std::string value = "#";
    value += std::to_string(code);
    EXPECT_EQ(ValueBytes(value), B({6, 1, code})) << code;
  }
}

TEST(FormConversion, BinaryDataOverSeveralLines) {
  Bytes data;
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i * 7));
  std::string digits;
  const char* hex = "0123456789ABCDEF";
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) digits += "\r\n  ";
    digits += hex[data[i] >> 4];
    digits += hex[data[i] & 15];
  }
  EXPECT_EQ(ValueBytes("{" + digits + "}"), B({10, 0x2C, 0x01, 0, 0}) + data);
  // Line ends of any kind and blanks between the digits carry no meaning.
  EXPECT_EQ(ValueBytes("{\r\n 01 02\n\t03\r04  \r\n}"), B({10, 4, 0, 0, 0, 1, 2, 3, 4}));
  EXPECT_EQ(ValueBytes("{0\r\n1}"), B({10, 1, 0, 0, 0, 0x01}));
}

TEST(FormConversion, NamesLongerThan255AreCutTo255) {
  std::string n300(300, 'N'), v300(300, 'v'), e300(300, 'e'), c300(300, 'C');
  Bytes body =
      StreamBody(Convert("object A: TB\r\n  " + n300 + " = " + v300 + "\r\n  S = [" + e300 +
                         "]\r\n  object " + n300 + ": " + c300 + "\r\n  end\r\nend\r\n"));
  Bytes expected = ShortStr("TB") + ShortStr("A") + ShortStr(std::string(255, 'N')) + B({7}) +
                   ShortStr(std::string(255, 'v')) + ShortStr("S") + B({11}) +
                   ShortStr(std::string(255, 'e')) + B({0}) + B({0}) +
                   ShortStr(std::string(255, 'C')) + ShortStr(std::string(255, 'N')) + B({0, 0}) +
                   B({0});
  EXPECT_EQ(body, expected);
  // A dotted name is one short string, cut as a whole.
  std::string dotted = std::string(200, 'a') + "." + std::string(100, 'b');
  Bytes d = StreamBody(Convert("object A: TB " + dotted + " = 1 end"));
  EXPECT_EQ(d, ShortStr("TB") + ShortStr("A") + ShortStr(dotted.substr(0, 255)) + B({2, 1, 0, 0}));
  // The cut may leave the dot at the end.
  std::string cutAtDot = std::string(254, 'a') + ".b";
  Bytes c = StreamBody(Convert("object A: TB " + cutAtDot + " = 1 end"));
  EXPECT_EQ(
      c, ShortStr("TB") + ShortStr("A") + ShortStr(std::string(254, 'a') + ".") + B({2, 1, 0, 0}));
  // Exactly 255 stays whole.
  EXPECT_EQ(ValueBytes(std::string(255, 'z')), B({7}) + ShortStr(std::string(255, 'z')));
}

TEST(FormConversion, DottedPropertyNamesAreOneName) {
  EXPECT_EQ(StreamBody(Convert("object A: TB\r\n  Font.Name = 'x'\r\n  Glyph . Data = {}\r\nend")),
            ShortStr("TB") + ShortStr("A") + ShortStr("Font.Name") + B({6, 1, 'x'}) +
                ShortStr("Glyph.Data") + B({10, 0, 0, 0, 0}) + B({0, 0}));
}

TEST(FormConversion, NestedObjectsCloseTheirPropertiesAndChildren) {
  std::string text =
      "object Form1: TForm1\r\n"
      "  Left = 1\r\n"
      "  object Panel: TPanel\r\n"
      "    object Button: TButton\r\n"
      "      Caption = 'OK'\r\n"
      "    end\r\n"
      "    object TTimer\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object Label1: TLabel\r\n"
      "  end\r\n"
      "end\r\n";
  Bytes expected = ShortStr("TForm1") + ShortStr("Form1") + ShortStr("Left") + B({2, 1}) + B({0}) +
                   ShortStr("TPanel") + ShortStr("Panel") + B({0}) +              //
                   ShortStr("TButton") + ShortStr("Button") +                     //
                   ShortStr("Caption") + B({6, 2, 'O', 'K'}) + B({0}) + B({0}) +  // Button
                   ShortStr("TTimer") + B({0}) + B({0}) + B({0}) +                // TTimer
                   B({0}) +                                               // Panel's children
                   ShortStr("TLabel") + ShortStr("Label1") + B({0, 0}) +  //
                   B({0});                                                // Form1's children
  EXPECT_EQ(StreamBody(Convert(text)), expected);
}

TEST(FormConversion, KeywordsInAnyCaseAndTokensAcrossLines) {
  Bytes a = Convert("OBJECT A: TB\r\n  Object\r\n C\r\n :\r\n TD\r\n  End\r\nEND\r\n");
  Bytes b = Convert("object A: TB object C: TD end end");
  EXPECT_EQ(a, b);
}

TEST(FormConversion, DeepNestingNeedsNoStack) {
  const int depth = 200000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "object TX ";
  for (int i = 0; i < depth; ++i) text += "end ";
  Bytes body = StreamBody(Convert(text));
  // Each object: class short string, empty name, 0 for its properties, 0 for its children.
  EXPECT_EQ(body.size(), static_cast<std::size_t>(depth) * (3 + 1 + 2));
}

struct ErrorCase {
  std::string text;
  std::string reason;
  int line;
};

void ExpectParseError(const ErrorCase& c) {
  try {
    Bytes out = ObjectTextToResource(c.text);
    ADD_FAILURE() << "converted: " << testing::Visible(c.text);
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Reason(), c.reason) << testing::Visible(c.text);
    EXPECT_EQ(e.Line(), c.line) << testing::Visible(c.text);
    EXPECT_EQ(std::string(e.what()), c.reason + " on line " + std::to_string(c.line));
  }
}

// One property value on line 3 of a small form.
ErrorCase BadValue(const std::string& value, const std::string& reason) {
  return {"object A: TB\r\n  Left = 1\r\n  P = " + value + "\r\n  Top = 2\r\nend\r\n", reason, 3};
}

TEST(FormConversion, ValuesOutsideTheTableAreRefusedWithTheirLine) {
  ErrorCase cases[] = {
      BadValue("1.5", "Floating-point values are not supported"),
      BadValue("-0.25", "Floating-point values are not supported"),
      BadValue("1e3", "Floating-point values are not supported"),
      BadValue("2E-5", "Floating-point values are not supported"),
      BadValue("12abc", "Invalid integer"),
      BadValue("1.", "Invalid integer"),
      BadValue("2147483648", "Integer 2147483648 does not fit in 32 bits"),
      BadValue("-2147483649", "Integer -2147483649 does not fit in 32 bits"),
      BadValue("4294967295", "Integer 4294967295 does not fit in 32 bits"),
      BadValue("99999999999999999999999",
               "Integer 99999999999999999999999 does not fit in 32 bits"),
      BadValue("- 5", "Property value expected"),
      BadValue("+", "Property value expected"),
      BadValue("$FF", "Invalid character '$'"),
      BadValue("#256", "Character code above 255"),
      BadValue("'a'#99999999999999", "Character code above 255"),
      BadValue("#$41", "Invalid character code"),
      BadValue("#", "Invalid character code"),
      BadValue("'abc", "Unterminated string"),
      BadValue("'abc''", "Unterminated string"),
      BadValue("'a' + 5", "String expected"),
      BadValue("'a' + b", "String expected"),
      BadValue("{012}", "Odd number of hexadecimal digits"),
      BadValue("{0G}", "Invalid character 'G' in hexadecimal data"),
      BadValue("{01 -2}", "Invalid character '-' in hexadecimal data"),
      BadValue("{00\x01}", "Invalid character #1 in hexadecimal data"),
      BadValue("(a b)", "Property value expected"),
      BadValue("(1, 2)", "Property value expected"),
      BadValue(", 1", "Property value expected"),
      BadValue("<item end>", "Invalid character '<'"),
      BadValue("= 1", "Property value expected"),
      BadValue("[a,]", "Set element expected"),
      BadValue("[a b]", "',' or ']' expected"),
      BadValue("[1]", "Set element expected"),
      BadValue("['a']", "Set element expected"),
      BadValue("Form2.Button", "Dotted identifiers are not supported as values"),
      BadValue("end", "Property value expected"),
      BadValue("object", "Property value expected"),
      BadValue("[end]", "Set element expected"),
      BadValue("@x", "Invalid character '@'"),
      BadValue("\xE9t\xE9", "Invalid character #233"),
      BadValue(std::string(1, '\0'), "Invalid character #0"),
  };
  for (const auto& c : cases) ExpectParseError(c);
}

TEST(FormConversion, StructureErrorsNameTheirLine) {
  ErrorCase cases[] = {
      {"", "Unexpected end of text, 'object' expected", 1},
      {"\r\n\r\n", "Unexpected end of text, 'object' expected", 1},
      {"inherited A: TB\r\nend\r\n", "'object' expected", 1},
      {"\r\n\r\n  = 1", "'object' expected", 3},
      {"\xEF\xBB\xBFobject A: TB end", "Invalid character #239", 1},
      {"object\r\nend\r\n", "Object name expected", 2},
      {"object A:\r\n\r\n  Left = 1\r\nend", "Property name expected", 3},  // Left is the class
      {"object A: 1B end", "Class name expected", 1},
      {"object A: TB\r\n  Left = 1\r\n", "Missing end", 2},
      {"object A: TB\r\n  Left = 1\r\n\r\n   \r\n", "Missing end", 2},
      {"object A: TB\r\n  object C: TD\r\n  end\r\n", "Missing end", 3},
      {"object A: TB\r\n  Left =\r\n", "Unexpected end of text, Property value expected", 2},
      {"object A: TB\r\n  Left\r\nend\r\n", "'=' expected", 3},
      {"object A: TB\r\n  Left 1\r\nend\r\n", "'=' expected", 2},
      {"object A: TB\r\n  Font. = 1\r\nend\r\n", "Property name expected", 2},
      {"object A: TB\r\n  Left = 1\r\nend\r\nend\r\n", "Text after the last end", 4},
      {"object A: TB\r\nend\r\nobject C: TD\r\nend\r\n", "Text after the last end", 3},
      {"object A: TB end x", "Text after the last end", 1},
      {"object A: TB\r\n  object C: TD\r\n  end\r\n  Left = 1\r\nend\r\n",
       "'object' or 'end' expected", 4},
      {"object A: TB\r\n  1 = 2\r\nend\r\n", "Property name expected", 2},
      {"object A: TB\r\n  ; = 2\r\nend\r\n", "Invalid character ';'", 2},
      {"object end: TB\r\nend\r\n", "Object name expected", 1},
      {"object A: object\r\nend\r\n", "Class name expected", 1},
      {"object A: TB\r\n  P = {\r\n  0011\r\n  2233\r\n", "Unterminated hexadecimal data", 2},
      {"object A: TB\r\n  P = 'abc\r\n'\r\nend\r\n", "Unterminated string", 2},
      // A join goes on over lines: the token after "+" is where it fails.
      {"object A: TB\r\n  P = 'a' +\r\n\r\n  Top = 2\r\nend\r\n", "String expected", 4},
  };
  for (const auto& c : cases) ExpectParseError(c);
}

TEST(FormConversion, LinesCountForEveryKindOfLineBreak) {
  ExpectParseError({"object A: TB\n  Left = 1\n  Top = 1.5\nend\n",
                    "Floating-point values are not supported", 3});
  ExpectParseError({"object A: TB\r  Left = 1\r  Top = 1.5\rend\r",
                    "Floating-point values are not supported", 3});
  ExpectParseError(
      {"object A: TB\r\n\r\r\n\n  Top = 1.5", "Floating-point values are not supported", 5});
  // Lines inside binary data count too.
  ExpectParseError(
      {"object A: TB\r\n  P = {\r\n00\r\n11\r\n2}\r\nend", "Odd number of hexadecimal digits", 5});
  ExpectParseError({"object A: TB\r\n  P = {\r\n00\r\n11\r\n}\r\n  Q = 1.5\r\nend",
                    "Floating-point values are not supported", 6});
  ExpectParseError({"object A: TB\r\n  P = 'a' +\r\n\r\n    'b'\r\n  Q = 1.5\r\nend",
                    "Floating-point values are not supported", 5});
}

TEST(FormConversion, ARootClassNameOfMoreThan70CharactersIsRefused) {
  std::string name70 = "T" + std::string(69, 'x');
  Bytes out = Convert("object A: " + name70 + "\r\nend\r\n");
  // An 80-byte header, "TPF0", the class and the name, the two closing zeros.
  EXPECT_EQ(out.size(), 80u + 4u + 71u + 2u + 2u);
  EXPECT_EQ(out[3 + 70], 0);
  ExpectParseError(
      {"object A:\r\n  " + name70 + "y\r\nend\r\n", "Class name longer than 70 characters", 2});
  // Children are not in the header; their class names only cut at 255.
  EXPECT_NO_THROW(Convert("object A: TB object C: " + std::string(200, 'T') + " end end"));
}

TEST(FormConversion, TheStreamOverloadWritesOnlyAWholeConversion) {
  platform::MemoryStream good;
  ObjectTextToResource("object A: TB\r\n  Left = 1\r\nend\r\n", good);
  EXPECT_EQ(good.Bytes(), Convert("object A: TB\r\n  Left = 1\r\nend\r\n"));

  platform::MemoryStream bad;
  EXPECT_THROW(ObjectTextToResource("object A: TB\r\n  Left = 1\r\n  Top = {0}\r\nend\r\n", bad),
               EParserError);
  EXPECT_TRUE(bad.Bytes().empty());
}

TEST(FormConversion, EveryKeptFormTextSurvivesARoundTrip) {
  int forms = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(ORVALEN_SOURCE_DIR "/tests/units/forms")) {
    std::string text = testing::ReadFile(entry.path().string());
    Bytes first = Convert(text);
    std::string canonical = testing::FormBinaryToText(first);
    Bytes second = Convert(canonical);
    EXPECT_EQ(first, second) << entry.path() << "\n" << canonical;
    EXPECT_EQ(testing::FormBinaryToText(second), canonical) << entry.path();
    ++forms;
  }
  EXPECT_GE(forms, 8);
}

TEST(FormConversion, RoundTripOfValuesTheReferenceConverterTreatsOtherwise) {
  std::string text =
      "object A: TB\r\n"
      "  N = Null\r\n"
      "  High = #128#200#255'x'\r\n"
      "  Big = -2147483648\r\n"
      "  Long = '" +
      std::string(70000, 'L') +
      "'\r\n"
      "  Data = {" +
      std::string(5000, 'A') +
      "}\r\n"
      "end\r\n";
  Bytes first = Convert(text);
  std::string canonical = testing::FormBinaryToText(first);
  EXPECT_EQ(Convert(canonical), first);
  EXPECT_NE(canonical.find("  N = Null\r\n  High = #128#200#255'x'\r\n  Big = -2147483648\r\n"),
            std::string::npos)
      << canonical.substr(0, 200);
}

}  // namespace
}  // namespace orvalen
