// The form text conversion: one pass over the text, each value encoded into
// the form stream as soon as it is read, the resource header written in front
// of the stream once the root object's class name is known.
#include "units/form_conversion.h"

#include <array>
#include <climits>
#include <cstring>

#include "platform/ascii_case.h"
#include "platform/memory_advice.h"

namespace orvalen {

EParserError::EParserError(const std::string& reason, int line)
    : Error(reason + " on line " + std::to_string(line)), reason_(reason), line_(line) {}

namespace {

// Value type bytes of the form stream.
enum ValueType : std::uint8_t {
  vaNull = 0,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
};

constexpr std::size_t kMaxShortString = 255;
// 10 header bytes around the class name; the resource header stays within 80.
constexpr std::size_t kMaxRootClassName = 70;
constexpr std::uint64_t kMaxLength32 = 0xFFFFFFFFu;

// Character classes of the text form, one table look-up per character.
enum CharClass : std::uint8_t {
  kOther = 0,
  kBlank = 1,       // space, tab
  kLineFeed = 2,    // LF
  kReturn = 3,      // CR
  kIdentStart = 4,  // letters, underscore
  kDigit = 5,
};

constexpr std::array<std::uint8_t, 256> MakeCharClasses() {
  std::array<std::uint8_t, 256> t{};
  t[' '] = t['\t'] = kBlank;
  t['\n'] = kLineFeed;
  t['\r'] = kReturn;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = kIdentStart;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = kIdentStart;
  t['_'] = kIdentStart;
  for (int c = '0'; c <= '9'; ++c) t[c] = kDigit;
  return t;
}
constexpr std::array<std::uint8_t, 256> kCharClass = MakeCharClasses();

// Hexadecimal digit values; 0xFF marks every other character.
constexpr std::array<std::uint8_t, 256> MakeHexValues() {
  std::array<std::uint8_t, 256> t{};
  for (auto& v : t) v = 0xFF;
  for (int c = '0'; c <= '9'; ++c) t[c] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) t[c] = static_cast<std::uint8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) t[c] = static_cast<std::uint8_t>(c - 'A' + 10);
  return t;
}
constexpr std::array<std::uint8_t, 256> kHexValue = MakeHexValues();

inline bool IsBlank(unsigned char c) {
  return kCharClass[c] == kBlank || kCharClass[c] == kLineFeed || kCharClass[c] == kReturn;
}

inline bool IsIdentChar(unsigned char c) {
  return kCharClass[c] == kIdentStart || kCharClass[c] == kDigit;
}

// Case-insensitive comparison of a token with a lower-case keyword.
bool IsKeyword(const char* token, std::size_t length, std::string_view keyword) {
  return platform::SameText(std::string_view(token, length), keyword);
}

// The growing output: the resource header and the form stream, in one
// buffer. Capacity is reserved up front, but room is made (and zeroed) only a
// step ahead of the writes, so memory the file does not need is never
// touched; the writes themselves are plain stores.
class ByteBuffer {
 public:
  explicit ByteBuffer(std::size_t expected) {
    bytes_.reserve(expected);
    platform::AdviseLargeBuffer(bytes_.data(), bytes_.capacity());
  }

  std::size_t Size() const { return size_; }
  std::uint8_t* At(std::size_t offset) { return bytes_.data() + offset; }

  void Byte(std::uint8_t b) {
    Room(1);
    bytes_[size_++] = b;
  }
  // An empty piece may come without storage (an absent name).
  void Bytes(const char* data, std::size_t n) {
    if (n == 0) return;
    Room(n);
    std::memcpy(bytes_.data() + size_, data, n);
    size_ += n;
  }
  // Room for up to `n` bytes written in place; Shrink gives back what was not used.
  std::uint8_t* Grow(std::size_t n) {
    Room(n);
    std::uint8_t* p = bytes_.data() + size_;
    size_ += n;
    return p;
  }
  void Shrink(std::size_t size) { size_ = size; }
  void PutLE(std::size_t offset, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
      bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  void LE(std::uint32_t value, int width) {
    std::size_t at = size_;
    Grow(static_cast<std::size_t>(width));
    PutLE(at, value, width);
  }
  // Opens a gap of `n` bytes at `offset`, moving what follows.
  void Insert(std::size_t offset, std::size_t n) {
    Room(n);
    std::memmove(At(offset + n), At(offset), size_ - offset);
    size_ += n;
  }
  std::vector<std::uint8_t> Take() {
    bytes_.resize(size_);
    return std::move(bytes_);
  }

 private:
  static constexpr std::size_t kStep = 64 * 1024;
  void Room(std::size_t n) {
    if (n > bytes_.size() - size_) bytes_.resize(size_ + std::max(n, kStep));
  }

  std::vector<std::uint8_t> bytes_;  // its size is the room made so far
  std::size_t size_ = 0;             // the bytes written
};

class Converter {
 public:
  explicit Converter(std::string_view text)
      : begin_(text.data()),
        p_(text.data()),
        end_(text.data() + text.size()),
        out_(text.size() + 256) {}

  std::vector<std::uint8_t> Run() {
    SkipBlank();
    if (!AtKeyword("object")) Fail(Expected("'object'"));
    ObjectHead(/*root=*/true);
    ObjectBody();
    SkipBlank();
    if (p_ != end_) Fail("Text after the last end");
    std::size_t streamLength = out_.Size() - headerLength_;
    if (streamLength > kMaxLength32) Fail("Form too large");
    out_.PutLE(headerLength_ - 4, static_cast<std::uint32_t>(streamLength), 4);
    return out_.Take();
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const { FailOnLine(reason, ErrorLine()); }

  [[noreturn]] static void FailOnLine(const std::string& reason, std::size_t line) {
    throw EParserError(reason, line > INT_MAX ? INT_MAX : static_cast<int>(line));
  }

  // At the end of the text a failure belongs to the last line that holds
  // something, not to the empty line after the final line break.
  std::size_t ErrorLine() const {
    if (p_ != end_) return line_;
    std::size_t breaks = 0;
    for (const char* q = end_; q != begin_ && IsBlank(static_cast<unsigned char>(q[-1])); --q) {
      bool lineFeedFollows = q != end_ && *q == '\n';
      if (q[-1] == '\n' || (q[-1] == '\r' && !lineFeedFollows)) ++breaks;
    }
    return line_ - std::min(breaks, line_ - 1);
  }

  // A reason for the character at the current position when `what` was due:
  // a character that starts no token is named, as is a missing end of text.
  std::string Expected(const std::string& what) const {
    if (p_ == end_) return "Unexpected end of text, " + what + " expected";
    unsigned char c = static_cast<unsigned char>(*p_);
    bool startsToken =
        kCharClass[c] != kOther || (c != 0 && std::strchr("'#:=.,[]{}()+-", c) != nullptr);
    if (!startsToken) return "Invalid character " + CharacterName(c);
    return what + " expected";
  }

  // A printable character in quotes, any other as its #code.
  static std::string CharacterName(unsigned char c) {
    if (c > ' ' && c < 127) return {'\'', static_cast<char>(c), '\''};
    // Appended rather than `"#" + std::to_string(c)`: g++ 12 at -O3 takes the
    // insertion at the front of a temporary for an overlapping copy.
    std::string name = "#";
    name += std::to_string(c);
    return name;
  }

  // Line breaks are CR LF, LF, or a CR on its own.
  void SkipBlank() {
    while (p_ != end_) {
      switch (kCharClass[static_cast<unsigned char>(*p_)]) {
        case kBlank:
          ++p_;
          break;
        case kLineFeed:
          ++p_;
          ++line_;
          break;
        case kReturn:
          ++p_;
          if (p_ != end_ && *p_ == '\n') ++p_;
          ++line_;
          break;
        default:
          return;
      }
    }
  }

  // The identifier at the current position, or its absence as an empty token.
  std::string_view PeekIdentifier() const {
    if (p_ == end_ || kCharClass[static_cast<unsigned char>(*p_)] != kIdentStart) return {};
    const char* q = p_ + 1;
    while (q != end_ && IsIdentChar(static_cast<unsigned char>(*q))) ++q;
    return {p_, static_cast<std::size_t>(q - p_)};
  }

  // `what` names the token in the error, built only when there is one.
  std::string_view Identifier(const char* what) {
    std::string_view id = PeekIdentifier();
    if (id.empty()) Fail(Expected(what));
    p_ += id.size();
    return id;
  }

  bool AtKeyword(std::string_view keyword) {
    std::string_view id = PeekIdentifier();
    if (!IsKeyword(id.data(), id.size(), keyword)) return false;
    p_ += id.size();
    return true;
  }

  // Object and class names may not be the words that open and close objects.
  std::string_view Name(const char* what) {
    std::string_view id = Identifier(what);
    if (IsKeyword(id.data(), id.size(), "object") || IsKeyword(id.data(), id.size(), "end"))
      Fail(std::string(what) + " expected");
    return id;
  }

  void ShortString(std::string_view s) {
    std::size_t n = std::min(s.size(), kMaxShortString);
    out_.Byte(static_cast<std::uint8_t>(n));
    out_.Bytes(s.data(), n);
  }

  // "object Name: Class" or "object Class"; the keyword is already read.
  void ObjectHead(bool root) {
    SkipBlank();
    std::string_view name, cls = Name("Object name");
    SkipBlank();
    if (p_ != end_ && *p_ == ':') {
      ++p_;
      SkipBlank();
      name = cls;
      cls = Name("Class name");
    }
    if (root) ResourceHeader(cls);
    ShortString(cls);
    ShortString(name);
  }

  // FF, resource type 10, the class name in capitals, 0, memory flags 1030
  // hex, the stream length (filled in at the end); then the stream's signature.
  void ResourceHeader(std::string_view cls) {
    if (cls.size() > kMaxRootClassName) {
      Fail("Class name longer than " + std::to_string(kMaxRootClassName) + " characters");
    }
    out_.Byte(0xFF);
    out_.LE(10, 2);
    for (char c : cls) out_.Byte(static_cast<std::uint8_t>(platform::AsciiUpper(c)));
    out_.Byte(0);
    out_.LE(0x1030, 2);
    out_.LE(0, 4);
    headerLength_ = out_.Size();
    out_.Bytes("TPF0", 4);
  }

  // Properties, then child objects, of the object whose head was just read,
  // down to the root's end. Nesting is counted rather than recursed, so that
  // no depth of objects exhausts the stack.
  void ObjectBody() {
    std::size_t depth = 1;
    bool inProperties = true;
    while (depth > 0) {
      SkipBlank();
      if (p_ == end_) Fail("Missing end");
      if (AtKeyword("end")) {
        if (inProperties) out_.Byte(0);
        out_.Byte(0);
        inProperties = false;
        --depth;
      } else if (AtKeyword("object")) {
        if (inProperties) out_.Byte(0);
        ObjectHead(/*root=*/false);
        inProperties = true;
        ++depth;
      } else if (!inProperties) {
        Fail(Expected("'object' or 'end'"));
      } else {
        Property();
      }
    }
  }

  // A property name (identifiers joined by dots, one short string), "=", a value.
  void Property() {
    std::size_t lengthAt = out_.Size();
    out_.Byte(0);
    std::size_t length = 0;
    auto append = [&](std::string_view part) {
      std::size_t n = std::min(part.size(), kMaxShortString - length);
      out_.Bytes(part.data(), n);
      length += n;
    };
    append(Identifier("Property name"));
    for (;;) {
      SkipBlank();
      if (p_ == end_ || *p_ != '.') break;
      ++p_;
      SkipBlank();
      append(".");
      append(Identifier("Property name"));
    }
    *out_.At(lengthAt) = static_cast<std::uint8_t>(length);
    if (p_ == end_ || *p_ != '=') Fail(Expected("'='"));
    ++p_;
    SkipBlank();
    Value();
  }

  void Value() {
    if (p_ == end_) Fail(Expected("Property value"));
    unsigned char c = static_cast<unsigned char>(*p_);
    switch (kCharClass[c]) {
      case kIdentStart:
        return IdentifierValue();
      case kDigit:
        return IntegerValue();
      default:
        break;
    }
    if ((c == '-' || c == '+') && p_ + 1 != end_ &&
        kCharClass[static_cast<unsigned char>(p_[1])] == kDigit)
      return IntegerValue();
    if (c == '\'' || c == '#') return StringValue();
    if (c == '[') return SetValue();
    if (c == '{') return BinaryValue();
    Fail(Expected("Property value"));
  }

  void IdentifierValue() {
    std::string_view id = Name("Property value");
    if (p_ != end_ && *p_ == '.') Fail("Dotted identifiers are not supported as values");
    if (IsKeyword(id.data(), id.size(), "false")) return out_.Byte(vaFalse);
    if (IsKeyword(id.data(), id.size(), "true")) return out_.Byte(vaTrue);
    if (IsKeyword(id.data(), id.size(), "null")) return out_.Byte(vaNull);
    if (IsKeyword(id.data(), id.size(), "nil")) return out_.Byte(vaNil);
    out_.Byte(vaIdent);
    ShortString(id);
  }

  // Decimal, with an optional sign; the narrowest of 1, 2 or 4 bytes.
  void IntegerValue() {
    bool negative = *p_ == '-';
    if (*p_ == '-' || *p_ == '+') ++p_;
    const char* digits = p_;
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    bool tooLarge = false;
    while (p_ != end_ && kCharClass[static_cast<unsigned char>(*p_)] == kDigit) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p_ - '0');
      if (magnitude > limit) {
        tooLarge = true;
        magnitude = limit + 1;  // keeps accumulating digits from overflowing
      }
      ++p_;
    }
    if (p_ != end_) {
      unsigned char next = static_cast<unsigned char>(*p_);
      bool fraction =
          next == '.' && p_ + 1 != end_ && kCharClass[static_cast<unsigned char>(p_[1])] == kDigit;
      if (fraction || next == 'e' || next == 'E') Fail("Floating-point values are not supported");
      if (IsIdentChar(next) || next == '.') Fail("Invalid integer");
    }
    if (tooLarge)
      Fail("Integer " + std::string(negative ? "-" : "") + std::string(digits, p_) +
           " does not fit in 32 bits");
    std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value >= -128 && value <= 127) {
      out_.Byte(vaInt8);
      out_.Byte(static_cast<std::uint8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
      out_.Byte(vaInt16);
      out_.LE(static_cast<std::uint32_t>(value), 2);
    } else {
      out_.Byte(vaInt32);
      out_.LE(static_cast<std::uint32_t>(value), 4);
    }
  }

  // Quoted parts and #codes written side by side form one piece; pieces are
  // joined with "+". Up to 255 bytes the value is a short string, beyond that
  // a long one, whose 4-byte length takes 3 bytes more room.
  void StringValue() {
    out_.Byte(vaString);
    std::size_t lengthAt = out_.Size();
    out_.Byte(0);
    for (;;) {
      StringPiece();
      SkipBlank();
      if (p_ == end_ || *p_ != '+') break;
      ++p_;
      SkipBlank();
      if (p_ == end_ || (*p_ != '\'' && *p_ != '#')) Fail(Expected("String"));
    }
    std::size_t length = out_.Size() - lengthAt - 1;
    if (length <= kMaxShortString) {
      *out_.At(lengthAt) = static_cast<std::uint8_t>(length);
      return;
    }
    if (length > kMaxLength32) Fail("String too long");
    *out_.At(lengthAt - 1) = vaLString;
    out_.Insert(lengthAt + 1, 3);
    out_.PutLE(lengthAt, static_cast<std::uint32_t>(length), 4);
  }

  void StringPiece() {
    while (p_ != end_) {
      if (*p_ == '\'') {
        QuotedPart();
      } else if (*p_ == '#') {
        CharacterCode();
      } else {
        return;
      }
    }
  }

  // A quoted part ends at the first quote that is not doubled; it cannot
  // span lines.
  void QuotedPart() {
    ++p_;
    for (;;) {
      const char* q = p_;
      while (q != end_ && *q != '\'' && *q != '\r' && *q != '\n') ++q;
      out_.Bytes(p_, static_cast<std::size_t>(q - p_));
      p_ = q;
      if (q == end_ || *q != '\'') Fail("Unterminated string");
      ++p_;
      if (p_ == end_ || *p_ != '\'') return;
      out_.Byte('\'');
      ++p_;
    }
  }

  // "#" and a decimal code from 0 to 255, the byte of that value.
  void CharacterCode() {
    ++p_;
    if (p_ == end_ || kCharClass[static_cast<unsigned char>(*p_)] != kDigit)
      Fail("Invalid character code");
    unsigned code = 0;
    while (p_ != end_ && kCharClass[static_cast<unsigned char>(*p_)] == kDigit) {
      code = code * 10 + static_cast<unsigned>(*p_ - '0');
      if (code > 255) Fail("Character code above 255");
      ++p_;
    }
    out_.Byte(static_cast<std::uint8_t>(code));
  }

  // "[" element names separated by commas "]"; the list ends with an empty name.
  void SetValue() {
    out_.Byte(vaSet);
    ++p_;
    SkipBlank();
    if (p_ != end_ && *p_ == ']') {
      ++p_;
      return out_.Byte(0);
    }
    for (;;) {
      ShortString(Name("Set element"));
      SkipBlank();
      if (p_ != end_ && *p_ == ']') break;
      if (p_ == end_ || *p_ != ',') Fail(Expected("',' or ']'"));
      ++p_;
      SkipBlank();
    }
    ++p_;
    out_.Byte(0);
  }

  // "{" hexadecimal digits, in pairs, over as many lines as it takes "}".
  // White space between the digits carries no meaning.
  void BinaryValue() {
    out_.Byte(vaBinary);
    std::size_t countAt = out_.Size();
    out_.LE(0, 4);
    std::size_t openLine = line_;
    ++p_;
    const void* close = std::memchr(p_, '}', static_cast<std::size_t>(end_ - p_));
    const char* limit = close ? static_cast<const char*>(close) : end_;
    std::size_t dataAt = out_.Size();
    std::uint8_t* start = out_.Grow(static_cast<std::size_t>(limit - p_) / 2);
    std::uint8_t* o = start;
    int high = -1;
    while (p_ != limit) {
      std::uint8_t v = kHexValue[static_cast<unsigned char>(*p_)];
      if (v != 0xFF) {
        // The common case: a whole pair at once.
        std::uint8_t w;
        if (high < 0 && p_ + 1 != limit &&
            (w = kHexValue[static_cast<unsigned char>(p_[1])]) != 0xFF) {
          *o++ = static_cast<std::uint8_t>(v << 4 | w);
          p_ += 2;
          continue;
        }
        if (high < 0) {
          high = v;
        } else {
          *o++ = static_cast<std::uint8_t>(high << 4 | v);
          high = -1;
        }
        ++p_;
        continue;
      }
      switch (kCharClass[static_cast<unsigned char>(*p_)]) {
        case kBlank:
        case kLineFeed:
        case kReturn:
          SkipBlank();
          break;
        default:
          Fail("Invalid character " + CharacterName(static_cast<unsigned char>(*p_)) +
               " in hexadecimal data");
      }
    }
    if (p_ == end_) FailOnLine("Unterminated hexadecimal data", openLine);
    if (high >= 0) Fail("Odd number of hexadecimal digits");
    ++p_;
    std::size_t count = static_cast<std::size_t>(o - start);
    if (count > kMaxLength32) Fail("Binary data too long");
    out_.Shrink(dataAt + count);
    out_.PutLE(countAt, static_cast<std::uint32_t>(count), 4);
  }

  const char* begin_;
  const char* p_;
  const char* end_;
  std::size_t line_ = 1;
  std::size_t headerLength_ = 0;
  ByteBuffer out_;
};

}  // namespace

std::vector<std::uint8_t> ObjectTextToResource(std::string_view text) {
  return Converter(text).Run();
}

void ObjectTextToResource(std::string_view text, platform::OutputStream& out) {
  std::vector<std::uint8_t> bytes = ObjectTextToResource(text);
  out.Write(bytes.data(), bytes.size());
}

}  // namespace orvalen
