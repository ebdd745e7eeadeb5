// Reads a binary form file (resource header + form stream) back into form
// text in one canonical layout: every string byte outside printable ASCII as a
// #code, binary data in lines of 64 digits. Converting that text again must
// give the same bytes, which is how the tests and the fuzzer check the
// converter's encoding without trusting it. Anything malformed raises
// std::runtime_error naming the offset.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "units/form_conversion.h"

namespace orvalen::testing {

class FormBinaryReader {
 public:
  explicit FormBinaryReader(const std::vector<std::uint8_t>& bytes) : b_(bytes) {}

  std::string Text() {
    std::string headerName = Header();
    Expect(Take(4) == "TPF0", "form stream signature");
    Object(0, &headerName);
    if (pos_ != b_.size()) Fail("bytes after the root object");
    return out_;
  }

  // A dotted name cut at 255 characters may end in its dot: the bytes are
  // right, but no text form writes that name.
  bool Expressible() const { return expressible_; }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("binary form file: " + what + " at offset " + std::to_string(pos_));
  }
  void Expect(bool ok, const std::string& what) const {
    if (!ok) Fail(what);
  }
  std::uint8_t Byte() {
    if (pos_ >= b_.size()) Fail("unexpected end");
    return b_[pos_++];
  }
  std::uint32_t LE(int width) {
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return v;
  }
  std::string Take(std::size_t n) {
    if (n > b_.size() - pos_) Fail("unexpected end");
    std::string s(b_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  b_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return s;
  }
  std::string ShortString() { return Take(Byte()); }

  std::string Header() {
    Expect(Byte() == 0xFF && LE(2) == 10, "resource header FF 0A 00");
    std::string name;
    for (std::uint8_t c; (c = Byte()) != 0;) name += static_cast<char>(c);
    Expect(LE(2) == 0x1030, "memory flags 30 10");
    std::uint32_t length = LE(4);
    Expect(pos_ <= 80, "a header of at most 80 bytes");
    Expect(length == b_.size() - pos_, "stream length " + std::to_string(length));
    return name;
  }

  void Line(int depth, const std::string& text) {
    out_.append(static_cast<std::size_t>(depth) * 2, ' ');
    out_ += text;
    out_ += "\r\n";
  }

  void Object(int depth, const std::string* headerName) {
    std::string cls = ShortString(), name = ShortString();
    if (headerName) {
      std::string upper = cls;
      for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      Expect(upper == *headerName, "header name " + *headerName + " for class " + cls);
    }
    Line(depth, name.empty() ? "object " + cls : "object " + name + ": " + cls);
    while (PeekNonZero()) {
      std::string property = ShortString();
      if (!property.empty() && property.back() == '.') expressible_ = false;
      Line(depth + 1, property + " = " + Value(depth + 1));
    }
    while (PeekNonZero()) Object(depth + 1, nullptr);
    Line(depth, "end");
  }

  // True for another entry; consumes the 0 that closes a list.
  bool PeekNonZero() {
    if (pos_ >= b_.size()) Fail("unexpected end");
    if (b_[pos_] != 0) return true;
    ++pos_;
    return false;
  }

  static std::string Quoted(const std::string& s) {
    if (s.empty()) return "''";
    std::string t;
    bool open = false;
    for (unsigned char c : s) {
      if (c >= 32 && c < 127) {
        if (!open) t += '\'';
        open = true;
        t += c == '\'' ? "''" : std::string(1, static_cast<char>(c));
      } else {
        if (open) t += '\'';
        open = false;
        t += '#';
        t += std::to_string(c);
      }
    }
    return open ? t + "'" : t;
  }

  std::string Hex(std::uint32_t count, int depth) {
    static const char digits[] = "0123456789ABCDEF";
    std::string t = "{";
    for (std::uint32_t i = 0; i < count; ++i) {
      if (i % 32 == 0) t += "\r\n" + std::string(static_cast<std::size_t>(depth) * 2 + 2, ' ');
      std::uint8_t v = Byte();
      t += digits[v >> 4];
      t += digits[v & 15];
    }
    return t + "}";
  }

  std::string Value(int depth) {
    std::uint8_t type = Byte();
    switch (type) {
      case 0:
        return "Null";
      case 2:
        return std::to_string(static_cast<std::int8_t>(Byte()));
      case 3: {
        auto v = static_cast<std::int16_t>(LE(2));
        Expect(v < -128 || v > 127, "the narrowest integer");
        return std::to_string(v);
      }
      case 4: {
        auto v = static_cast<std::int32_t>(LE(4));
        Expect(v < -32768 || v > 32767, "the narrowest integer");
        return std::to_string(v);
      }
      case 6:
        return Quoted(ShortString());
      case 7:
        return ShortString();
      case 8:
        return "False";
      case 9:
        return "True";
      case 10:
        return Hex(LE(4), depth);
      case 11: {
        std::string t = "[";
        for (bool first = true; PeekNonZero(); first = false)
          t += (first ? "" : ", ") + ShortString();
        return t + "]";
      }
      case 12: {
        std::uint32_t n = LE(4);
        Expect(n > 255, "a long string of more than 255 bytes");
        return Quoted(Take(n));
      }
      case 13:
        return "nil";
      default:
        --pos_;
        Fail("value type " + std::to_string(type));
    }
  }

  const std::vector<std::uint8_t>& b_;
  std::size_t pos_ = 0;
  std::string out_;
  bool expressible_ = true;
};

inline std::string FormBinaryToText(const std::vector<std::uint8_t>& bytes) {
  return FormBinaryReader(bytes).Text();
}

// What is wrong with the conversion of `text`, or "" when nothing is: a text
// that converts must read back into text that converts to the same bytes; a
// text that does not must name a line the text has. Any failure other than
// EParserError passes to the caller.
inline std::string ConversionProblem(std::string_view text) {
  std::vector<std::uint8_t> first;
  try {
    first = ObjectTextToResource(text);
  } catch (const EParserError& e) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
        ++lines;
    if (e.Line() < 1 || static_cast<std::size_t>(e.Line()) > lines)
      return std::string("line out of range: ") + e.what();
    if (e.Reason().empty()) return "a parse error without a reason";
    return "";
  }
  std::string canonical;
  try {
    FormBinaryReader reader(first);
    canonical = reader.Text();
    if (!reader.Expressible()) return "";
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  std::vector<std::uint8_t> second;
  try {
    second = ObjectTextToResource(canonical);
  } catch (const EParserError& e) {
    return std::string("the text read back does not convert: ") + e.what() + "\n" + canonical;
  }
  if (second != first) return "the text read back converts to other bytes:\n" + canonical;
  return "";
}

}  // namespace orvalen::testing
