#include "platform/registry_store_format.h"

#include <charconv>
#include <cstdint>
#include <set>

namespace orvalen::platform {
namespace {

constexpr char kEscapeDigits[] = "0123456789ABCDEF";
constexpr char kHexDigits[] = "0123456789abcdef";

bool MustEscape(unsigned char c) {
  return c < 0x20 || c > 0x7E || c == '%' || c == '"' || c == '\\';
}

// Plain runs are copied whole: a store's texts are mostly plain.
void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!MustEscape(c)) continue;
    out.append(text, plain, i - plain);
    out += '%';
    out += kEscapeDigits[c >> 4];
    out += kEscapeDigits[c & 15];
    plain = i + 1;
  }
  out.append(text, plain);
}

void AppendHex(std::string& out, std::string_view bytes) {
  for (unsigned char c : bytes) {
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
  }
}

std::uint64_t LittleEndian(std::string_view bytes) {
  std::uint64_t n = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) n = n << 8 | static_cast<unsigned char>(bytes[i]);
  return n;
}

std::string LittleEndianBytes(std::uint64_t n, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i, n >>= 8) bytes += static_cast<char>(n & 0xFF);
  return bytes;
}

void AppendQuoted(std::string& out, const char* kind, std::string_view text) {
  out += kind;
  out += " \"";
  AppendEscaped(out, text);
  out += '"';
}

void AppendValue(std::string& out, const RegistryKey::NamedValue& named) {
  out += '"';
  AppendEscaped(out, named.name);
  out += "\" = ";
  const std::string& data = named.value.data;
  switch (named.value.type) {
    case RegDataType::String:
      return AppendQuoted(out, "string", data);
    case RegDataType::ExpandString:
      return AppendQuoted(out, "expand", data);
    case RegDataType::MultiString:
      return AppendQuoted(out, "multi", data);
    case RegDataType::Integer:
      if (data.size() != 4) break;
      out += "integer " + std::to_string(static_cast<std::int32_t>(LittleEndian(data)));
      return;
    case RegDataType::QWord:
      if (data.size() != 8) break;
      out += "qword " + std::to_string(LittleEndian(data));
      return;
    case RegDataType::Binary:
      out += "binary";
      if (!data.empty()) out += ' ';
      return AppendHex(out, data);
    default:
      break;
  }
  out += "raw " + std::to_string(static_cast<std::uint32_t>(named.value.type));
  if (!data.empty()) out += ' ';
  AppendHex(out, data);
}

// The key's values, then its subkeys, depth first. `path` is the key's
// escaped path; it is lengthened for each subkey and restored. A key that
// holds subkeys but no values needs no line: its subkeys' paths name it. So
// the text grows with the store, not with the depth of its keys times their
// number.
void AppendContents(std::string& out, const RegistryKey& key, std::string& path) {
  for (const RegistryKey::NamedValue* value : key.Values()) {
    AppendValue(out, *value);
    out += '\n';
  }
  std::size_t length = path.size();
  for (const RegistryKey* subkey : key.Subkeys()) {
    if (length > 0) path += '\\';
    AppendEscaped(path, subkey->Name());
    if (subkey->HasValues() || !subkey->HasSubkeys()) {
      out += '[';
      out += path;
      out += "]\n";
    }
    AppendContents(out, *subkey, path);
    path.resize(length);
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& n) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Reads one store text line by line; the first problem ends the reading.
class StoreParser {
 public:
  explicit StoreParser(std::string_view text) : rest_(text) {}

  std::optional<RegistryKey> Parse(std::string* problem) {
    bool whole = ParseLines();
    if (!whole && problem) *problem = "line " + std::to_string(lineNumber_) + ": " + problem_;
    if (!whole) return std::nullopt;
    return std::move(root_);
  }

 private:
  bool Fail(std::string what) {
    problem_ = std::move(what);
    return false;
  }

  bool NextLine(std::string_view& line) {
    ++lineNumber_;
    std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos)
      return Fail(rest_.empty() ? "the end line is missing (the store is cut short)"
                                : "no line end (the store is cut short)");
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return true;
  }

  bool ParseLines() {
    std::string_view line;
    if (!NextLine(line)) return false;
    if (line != kRegistryStoreHeader) return Fail("not a registry store of this format version");
    while (NextLine(line)) {
      if (line == "end") return rest_.empty() || Fail("text after the end line");
      if (line.empty() || line.front() == '#') continue;
      bool read = line.front() == '['   ? ReadKeyLine(line)
                  : line.front() == '"' ? ReadValueLine(line)
                                        : Fail("neither a key nor a value");
      if (!read) return false;
    }
    return false;
  }

  // "%HH" stands for a byte; control bytes must come escaped.
  bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if (c < 0x20 || c == 0x7F) return Fail("a control byte that is not escaped");
      if (c != '%') continue;
      int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
      int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
      if (low < 0) return Fail("'%' not followed by two hex digits");
      out.append(text, plain, i - plain);
      out += static_cast<char>(high << 4 | low);
      i += 2;
      plain = i + 1;
    }
    out.append(text, plain);
    return true;
  }

  bool ReadHex(std::string_view text, std::string& out) {
    if (text.empty() || text.size() % 2 != 0) return Fail("hex data of odd or no length");
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
      int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
      if (high < 0 || low < 0) return Fail("not a hex digit");
      out += static_cast<char>(high << 4 | low);
    }
    return true;
  }

  bool ReadKeyLine(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return Fail("a key line without its ']'");
    std::string_view inner = line.substr(1, line.size() - 2);
    KeyPath path;
    while (!inner.empty()) {
      std::size_t sep = inner.find('\\');
      std::string name;
      if (!Unescape(inner.substr(0, sep), name)) return false;
      if (name.empty()) return Fail("an empty key name");
      if (name.find('\\') != std::string::npos) return Fail("a key name holding '\\'");
      path.push_back(std::move(name));
      if (path.size() > kMaxKeyDepth) return Fail("keys nested deeper than the registry allows");
      if (sep == std::string_view::npos) break;
      inner.remove_prefix(sep + 1);
      if (inner.empty()) return Fail("an empty key name");
    }
    current_ = &root_.Create(path);
    if (!declared_.insert(current_).second) return Fail("a key given twice");
    return true;
  }

  bool ReadQuoted(std::string_view text, std::string& out) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"' ||
        text.find('"', 1) != text.size() - 1)
      return Fail("not one quoted text");
    return Unescape(text.substr(1, text.size() - 2), out);
  }

  bool ReadValueLine(std::string_view line) {
    std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos || line.substr(close + 1, 3) != " = ")
      return Fail("a value name without ' = ' after it");
    std::string name;
    if (!ReadQuoted(line.substr(0, close + 1), name)) return false;
    if (!current_) return Fail("a value before any key");
    if (current_->FindValue(name)) return Fail("a value given twice");
    std::string_view rest = line.substr(close + 4);
    std::size_t space = rest.find(' ');
    std::string_view kind = rest.substr(0, space);
    std::optional<std::string_view> data;
    if (space != std::string_view::npos) data = rest.substr(space + 1);
    RegValue value;
    if (!ReadData(kind, data, value)) return false;
    current_->SetValue(name, std::move(value));
    return true;
  }

  bool ReadData(std::string_view kind, std::optional<std::string_view> data, RegValue& value) {
    if (kind == "string" || kind == "expand" || kind == "multi") {
      value.type = kind == "string"   ? RegDataType::String
                   : kind == "expand" ? RegDataType::ExpandString
                                      : RegDataType::MultiString;
      return (data || Fail("a text value without its text")) && ReadQuoted(*data, value.data);
    }
    if (kind == "integer") {
      std::int32_t n;
      if (!data || !ParseNumber(*data, n)) return Fail("not a 32-bit integer");
      value = {RegDataType::Integer, LittleEndianBytes(static_cast<std::uint32_t>(n), 4)};
      return true;
    }
    if (kind == "qword") {
      std::uint64_t n;
      if (!data || !ParseNumber(*data, n)) return Fail("not a 64-bit unsigned integer");
      value = {RegDataType::QWord, LittleEndianBytes(n, 8)};
      return true;
    }
    if (kind == "binary") {
      value.type = RegDataType::Binary;
      return !data || ReadHex(*data, value.data);
    }
    if (kind == "raw") return ReadRaw(data, value);
    return Fail("an unknown value kind");
  }

  bool ReadRaw(std::optional<std::string_view> data, RegValue& value) {
    if (!data) return Fail("a raw value without its type number");
    std::size_t space = data->find(' ');
    std::uint32_t type;
    if (!ParseNumber(data->substr(0, space), type)) return Fail("not a type number");
    value.type = static_cast<RegDataType>(type);
    return space == std::string_view::npos || ReadHex(data->substr(space + 1), value.data);
  }

  std::string_view rest_;
  int lineNumber_ = 0;
  std::string problem_;
  RegistryKey root_;
  RegistryKey* current_ = nullptr;
  std::set<const RegistryKey*> declared_;
};

}  // namespace

std::string SerializeRegistryStore(const RegistryKey& root) {
  std::string out(kRegistryStoreHeader);
  out += "\n# Saved whole by every program that changes it; \"%HH\" stands for one byte.\n";
  if (root.HasValues()) out += "[]\n";
  std::string path;
  AppendContents(out, root, path);
  out += "end\n";
  return out;
}

std::optional<RegistryKey> ParseRegistryStore(std::string_view text, std::string* problem) {
  return StoreParser(text).Parse(problem);
}

}  // namespace orvalen::platform
