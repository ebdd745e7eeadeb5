// Compiles a VERSIONINFO resource script into the version block a program
// carries: the VS_VERSIONINFO tree with its VS_FIXEDFILEINFO, the
// StringFileInfo string tables as UTF-16LE and the VarFileInfo values, laid
// out exactly as windres lays out the data of the resource.
//   versioninfo SCRIPT.rc OUTPUT
//
// The script is the usual syntax without a preprocessor:
//   NAME VERSIONINFO
//   FILEVERSION a[,b[,c[,d]]]   PRODUCTVERSION a[,b[,c[,d]]]
//   FILEFLAGSMASK n  FILEFLAGS n  FILEOS n  FILETYPE n  FILESUBTYPE n
//   BEGIN
//     BLOCK "StringFileInfo" BEGIN
//       BLOCK "040904E4" BEGIN VALUE "Key", "text" ["more text"...] ... END ...
//     END
//     BLOCK "VarFileInfo" BEGIN VALUE "Translation"[, lang, charset]... END
//   END
// with BEGIN/END or braces, // and /* */ comments, numbers in decimal, hex
// (0x) or octal (leading 0) with an optional L suffix, and strings of
// printable ASCII with "" or \" for a quote and \\ \n \r \t. Anything else
// is refused with the line it stands on: a block that would come out
// differently from windres's is worse than none.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tool_support.h"

namespace {

using tools::Put16;
using tools::Put32;

struct ScriptError : std::runtime_error {
  ScriptError(int line, const std::string& message) : std::runtime_error(message), line(line) {}
  int line;
};

// ---- Tokens ---------------------------------------------------------------

enum class Tok { Word, Number, String, Comma, Begin, End, Eof };

struct Token {
  Tok kind;
  std::string text;  // the word, or the string's characters
  std::uint64_t number = 0;
  int line = 0;
};

class Lexer {
 public:
  explicit Lexer(const std::string& text) : s_(text) {}

  Token Next() {
    SkipBlanks();
    Token t{Tok::Eof, {}, 0, line_};
    if (i_ >= s_.size()) return t;
    char c = s_[i_];
    if (c == ',') {
      ++i_;
      t.kind = Tok::Comma;
    } else if (c == '{' || c == '}') {
      ++i_;
      t.kind = c == '{' ? Tok::Begin : Tok::End;
    } else if (c == '"') {
      t.kind = Tok::String;
      t.text = QuotedString();
    } else if (IsDigit(c)) {
      t.kind = Tok::Number;
      t.number = Number();
    } else if (IsWordChar(c)) {
      while (i_ < s_.size() && IsWordChar(s_[i_])) t.text += s_[i_++];
      t.kind = t.text == "BEGIN" ? Tok::Begin : t.text == "END" ? Tok::End : Tok::Word;
    } else if (c == '#') {
      throw ScriptError(line_, "preprocessor directives are not supported");
    } else {
      throw ScriptError(line_, std::string("unexpected character '") + Printable(c) + "'");
    }
    return t;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsWordChar(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  }
  static std::string Printable(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) return std::string(1, c);
    const char* hex = "0123456789ABCDEF";
    return std::string("\\x") + hex[u >> 4] + hex[u & 15];
  }

  void SkipBlanks() {
    while (i_ < s_.size()) {
      char c = s_[i_];
      if (c == '\n') {
        ++line_;
        ++i_;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++i_;
      } else if (s_.compare(i_, 2, "//") == 0) {
        while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      } else if (s_.compare(i_, 2, "/*") == 0) {
        int start = line_;
        i_ += 2;
        while (i_ < s_.size() && s_.compare(i_, 2, "*/") != 0) line_ += s_[i_++] == '\n';
        if (i_ >= s_.size()) throw ScriptError(start, "comment not closed");
        i_ += 2;
      } else {
        return;
      }
    }
  }

  std::uint64_t Number() {
    int base = 10;
    if (s_[i_] == '0' && i_ + 1 < s_.size() && (s_[i_ + 1] == 'x' || s_[i_ + 1] == 'X')) {
      base = 16;
      i_ += 2;
    } else if (s_[i_] == '0') {
      base = 8;
    }
    std::uint64_t value = 0;
    int digits = 0;
    for (; i_ < s_.size(); ++i_, ++digits) {
      int d = DigitValue(s_[i_]);
      if (d < 0 || d >= base) break;
      value = value * base + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFu) throw ScriptError(line_, "number out of range");
    }
    if (digits == 0) throw ScriptError(line_, "hex number without digits");
    if (i_ < s_.size() && (s_[i_] == 'L' || s_[i_] == 'l')) ++i_;
    if (i_ < s_.size() && IsWordChar(s_[i_]))
      throw ScriptError(line_, std::string("bad digit '") + s_[i_] + "' in a number");
    return value;
  }

  static int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  std::string QuotedString() {
    std::string out;
    ++i_;  // the opening quote
    for (;;) {
      if (i_ >= s_.size() || s_[i_] == '\n') throw ScriptError(line_, "string not closed");
      char c = s_[i_++];
      if (c == '"') {
        if (i_ < s_.size() && s_[i_] == '"') {  // "" stands for one quote
          out += '"';
          ++i_;
          continue;
        }
        return out;
      }
      if (c == '\\') {
        static constexpr std::string_view kEscapes = "\\\"nrt", kMeanings = "\\\"\n\r\t";
        char e = i_ < s_.size() ? s_[i_++] : '\0';
        std::size_t k = kEscapes.find(e);
        if (e == '\0' || k == std::string_view::npos)
          throw ScriptError(line_, "escape sequence \\" + Printable(e) + " is not supported");
        out += kMeanings[k];
        continue;
      }
      // Bytes above 127 would need the code page windres happens to use.
      if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
        throw ScriptError(
            line_, "character " + Printable(c) + " in a string: only printable ASCII is supported");
      out += c;
    }
  }

  const std::string& s_;
  std::size_t i_ = 0;
  int line_ = 1;
};

// ---- The tree of the block -------------------------------------------------

// wType of a node: 1 for text values and the blocks that hold them, 0 for
// binary ones, as windres writes them.
enum NodeType : unsigned { kBinary = 0, kText = 1 };

struct Node {
  std::string key;
  NodeType type = kText;
  // The value's bytes and wValueLength; a node without a value writes none
  // and no padding after its key.
  std::optional<std::string> value;
  unsigned valueLength = 0;
  std::vector<Node> children;
};

std::string Utf16(const std::string& ascii) {
  std::string s;
  for (char c : ascii) Put16(s, static_cast<unsigned char>(c));
  Put16(s, 0);
  return s;
}

void Align4(std::string& out) {
  while (out.size() % 4) out += '\0';
}

// Header, key, the value after padding to a 32-bit boundary, each child on
// such a boundary. wLength ends with the last byte written: padding after
// the last child belongs to the parent only when a sibling follows.
void Write(const Node& node, std::string& out) {
  const std::size_t start = out.size();
  Put16(out, 0);  // wLength, filled in below
  Put16(out, node.valueLength);
  Put16(out, node.type);
  out += Utf16(node.key);
  if (node.value) {
    Align4(out);
    out += *node.value;
  }
  for (const Node& child : node.children) {
    Align4(out);
    Write(child, out);
  }
  const std::size_t length = out.size() - start;
  if (length > 0xFFFF) throw ScriptError(0, "block \"" + node.key + "\" exceeds 65535 bytes");
  out[start] = static_cast<char>(length & 0xFF);
  out[start + 1] = static_cast<char>(length >> 8);
}

// ---- The parser ---------------------------------------------------------------

class Parser {
 public:
  explicit Parser(const std::string& text) : lex_(text) { Advance(); }

  Node Script() {
    if (tok_.kind != Tok::Number && tok_.kind != Tok::Word)
      throw Error("expected the resource name before VERSIONINFO");
    Advance();
    ExpectWord("VERSIONINFO");
    FixedInfo fixed;
    while (tok_.kind == Tok::Word) FixedStatement(fixed);
    Node root{"VS_VERSION_INFO", kBinary, fixed.Bytes(), 52, {}};
    Expect(Tok::Begin, "BEGIN");
    while (tok_.kind != Tok::End) root.children.push_back(TopBlock());
    Advance();
    if (tok_.kind != Tok::Eof)
      throw Error("only one VERSIONINFO resource is supported; found more after its END");
    return root;
  }

 private:
  struct FixedInfo {
    std::uint32_t fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
    std::uint32_t flagsMask = 0, flags = 0, os = 0, type = 0, subtype = 0;
    std::vector<std::string> seen;

    std::string Bytes() const {
      std::string s;
      for (std::uint32_t v : {0xFEEF04BDu, 0x00010000u, fileMS, fileLS, productMS, productLS,
                              flagsMask, flags, os, type, subtype, 0u, 0u})
        Put32(s, v);
      return s;
    }
  };

  ScriptError Error(const std::string& message) const { return ScriptError(tok_.line, message); }

  void Advance() { tok_ = lex_.Next(); }

  static std::string Describe(const Token& t) {
    switch (t.kind) {
      case Tok::Word:
        return t.text;
      case Tok::Number:
        return "a number";
      case Tok::String:
        return "\"" + t.text + "\"";
      case Tok::Comma:
        return "','";
      case Tok::Begin:
        return "BEGIN";
      case Tok::End:
        return "END";
      case Tok::Eof:
        return "the end of the script";
    }
    return {};
  }

  void Expect(Tok kind, const char* what) {
    if (tok_.kind != kind)
      throw Error(std::string("expected ") + what + ", found " + Describe(tok_));
    Advance();
  }

  void ExpectWord(const char* word) {
    if (tok_.kind != Tok::Word || tok_.text != word)
      throw Error(std::string("expected ") + word + ", found " + Describe(tok_));
    Advance();
  }

  std::uint32_t Number(std::uint32_t max) {
    if (tok_.kind != Tok::Number) throw Error("expected a number, found " + Describe(tok_));
    if (tok_.number > max)
      throw Error("number " + std::to_string(tok_.number) + " exceeds " + std::to_string(max));
    auto n = static_cast<std::uint32_t>(tok_.number);
    Advance();
    return n;
  }

  std::string String() {
    if (tok_.kind != Tok::String) throw Error("expected a string, found " + Describe(tok_));
    std::string s = tok_.text;
    Advance();
    return s;
  }

  // a[,b[,c[,d]]]: the high and low words of the two 32-bit halves.
  void Version(std::uint32_t& ms, std::uint32_t& ls) {
    std::uint32_t parts[4] = {0, 0, 0, 0};
    parts[0] = Number(0xFFFF);
    for (int k = 1; k < 4 && tok_.kind == Tok::Comma; ++k) {
      Advance();
      parts[k] = Number(0xFFFF);
    }
    ms = parts[0] << 16 | parts[1];
    ls = parts[2] << 16 | parts[3];
  }

  void FixedStatement(FixedInfo& f) {
    const std::string word = tok_.text;
    const int line = tok_.line;
    for (const std::string& s : f.seen)
      if (s == word) throw Error(word + " is given twice");
    f.seen.push_back(word);
    Advance();
    if (word == "FILEVERSION") {
      Version(f.fileMS, f.fileLS);
    } else if (word == "PRODUCTVERSION") {
      Version(f.productMS, f.productLS);
    } else if (word == "FILEFLAGSMASK") {
      f.flagsMask = Number(0xFFFFFFFF);
    } else if (word == "FILEFLAGS") {
      f.flags = Number(0xFFFFFFFF);
    } else if (word == "FILEOS") {
      f.os = Number(0xFFFFFFFF);
    } else if (word == "FILETYPE") {
      f.type = Number(0xFFFFFFFF);
    } else if (word == "FILESUBTYPE") {
      f.subtype = Number(0xFFFFFFFF);
    } else {
      throw ScriptError(line, "unknown statement " + word + " before BEGIN");
    }
  }

  Node TopBlock() {
    ExpectWord("BLOCK");
    int line = tok_.line;
    std::string name = String();
    if (name == "StringFileInfo") return StringFileInfo(name);
    if (name == "VarFileInfo") return VarFileInfo(name, line);
    throw ScriptError(
        line, "unknown block \"" + name + "\": expected \"StringFileInfo\" or \"VarFileInfo\"");
  }

  Node StringFileInfo(const std::string& name) {
    Node block{name, kText, std::nullopt, 0, {}};
    Expect(Tok::Begin, "BEGIN");
    while (tok_.kind != Tok::End) {
      ExpectWord("BLOCK");
      Node table{String(), kText, std::nullopt, 0, {}};
      Expect(Tok::Begin, "BEGIN");
      while (tok_.kind != Tok::End) table.children.push_back(StringValue());
      Advance();
      block.children.push_back(std::move(table));
    }
    Advance();
    return block;
  }

  // VALUE "Key", "text" ["more text"...]: adjacent strings are joined.
  Node StringValue() {
    ExpectWord("VALUE");
    std::string key = String();
    Expect(Tok::Comma, "','");
    std::string text = String();
    while (tok_.kind == Tok::String) text += String();
    if (tok_.kind == Tok::Comma) throw Error("a string value takes one text, not a list");
    std::string bytes = Utf16(text);
    auto chars = static_cast<unsigned>(text.size() + 1);
    return Node{key, kText, bytes, chars, {}};
  }

  Node VarFileInfo(const std::string& name, int line) {
    Node block{name, kText, std::nullopt, 0, {}};
    Expect(Tok::Begin, "BEGIN");
    if (tok_.kind == Tok::End) throw ScriptError(line, "\"VarFileInfo\" needs its VALUE");
    block.children.push_back(VarValue());
    if (tok_.kind != Tok::End) throw Error("\"VarFileInfo\" holds one VALUE only");
    Advance();
    return block;
  }

  // VALUE "Translation", lang, charset [, lang, charset]...: 16-bit words.
  Node VarValue() {
    ExpectWord("VALUE");
    Node var{String(), kBinary, std::string(), 0, {}};
    while (tok_.kind == Tok::Comma) {
      Advance();
      Put16(*var.value, Number(0xFFFF));
      Expect(Tok::Comma, "',' and the character set of the language");
      Put16(*var.value, Number(0xFFFF));
    }
    var.valueLength = static_cast<unsigned>(var.value->size());
    return var;
  }

  Lexer lex_;
  Token tok_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: versioninfo SCRIPT.rc OUTPUT\n";
    return 2;
  }
  std::string script;
  if (!tools::ReadFile(argv[1], script)) {
    std::cerr << argv[1] << ": cannot read\n";
    return 1;
  }
  std::string block;
  try {
    Write(Parser(script).Script(), block);
  } catch (const ScriptError& e) {
    std::cerr << argv[1];
    if (e.line > 0) std::cerr << ":" << e.line;
    std::cerr << ": " << e.what() << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << block;
  out.close();
  if (!out) {
    std::cerr << argv[2] << ": cannot write\n";
    return 1;
  }
  return 0;
}
