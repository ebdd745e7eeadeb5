#include "generator/emitter.h"

#include <algorithm>
#include <cstring>

#include "generator/command_table.h"
#include "generator/string_ids.h"
#include "generator/wizard_settings.h"
#include "platform/errors.h"
#include "platform/resources.h"

namespace orvalen {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kHexChunk = 32;  // bytes per line of hexadecimal text
}  // namespace

void BytesToHex(const std::uint8_t* source, char* destination, int n) {
  for (int i = 0; i < n; ++i) {
    destination[2 * i] = kHexDigits[source[i] >> 4];
    destination[2 * i + 1] = kHexDigits[source[i] & 15];
  }
}

void Emitter::WriteSnippet(int n) {
  out_.Write(std::string_view(library_.SnippetText(n)));
}

void Emitter::WriteFormatted(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string text = Format(format, std::span<const FormatArg>(args.begin(), args.size()));
  std::size_t length = std::min(text.size(), kFormatBufferSize);
  char* buffer = library_.FormatBuffer();
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  out_.Write(buffer, length);
}

// Declarations, heads and the snippets formatted with the application name
// are written whole: with names the run accepts they stay far below the
// format buffer's size, and a longer text must never overrun it.
void Emitter::WriteWhole(std::string_view format, std::initializer_list<FormatArg> args) {
  out_.Write(Format(format, std::span<const FormatArg>(args.begin(), args.size())));
}

void Emitter::WriteFormattedSnippet(int n, std::initializer_list<FormatArg> args) {
  WriteWhole(library_.SnippetText(n), args);
}

void Emitter::WriteField(int nameId, std::string_view typeName) {
  std::string name = platform::LoadStr(nameId);
  WriteWhole("    %s: %s;\r\n", {name, typeName});
}

void Emitter::WriteMenuFields(int menu) {
  for (int k = 0; k < MenuCount[menu]; ++k)
    WriteField(kItemNameId + MenuFirst[menu] + k, "TMenuItem");
}

void Emitter::WriteHandlerDecl(int nameId) {
  std::string name = platform::LoadStr(nameId);
  WriteWhole("    procedure %s(Sender: TObject);\r\n", {name});
}

void Emitter::WriteMenuHandlerDecls(int menu) {
  for (int k = 0; k < MenuCount[menu]; ++k) WriteHandlerDecl(kHandlerId + MenuFirst[menu] + k);
}

void Emitter::WriteHandlerHead(std::string_view appName, int nameId) {
  std::string stem = platform::LoadStr(ids::kMainForm);
  std::string name = platform::LoadStr(nameId);
  WriteWhole("procedure T%s%s.%s(Sender: TObject);\r\n", {stem, appName, name});
}

void Emitter::WriteParamDecl(int nameId, std::string_view paramText) {
  std::string name = platform::LoadStr(nameId);
  WriteWhole("    procedure %s(%s);\r\n", {name, paramText});
}

void Emitter::WriteParamHead(std::string_view appName, int nameId, std::string_view paramText) {
  std::string stem = platform::LoadStr(ids::kMainForm);
  std::string name = platform::LoadStr(nameId);
  WriteWhole("procedure T%s%s.%s(%s);\r\n", {stem, appName, name, paramText});
}

void Emitter::WriteMenuHandlers(int menu, int firstSnippet, const WizardSettings& settings) {
  for (int k = 0; k < MenuCount[menu]; ++k) {
    WriteHandlerHead(settings.AppName, kHandlerId + MenuFirst[menu] + k);
    WriteSnippet(firstSnippet + k);
  }
}

void Emitter::WriteHexData(std::span<const std::uint8_t> source) {
  const std::size_t size = source.size();
  const bool multiLine = size > kHexChunk;
  std::uint8_t length[4];
  for (int i = 0; i < 4; ++i) length[i] = static_cast<std::uint8_t>(size >> (8 * i));
  char digits[2 * kHexChunk];
  BytesToHex(length, digits, 4);
  out_.Write(digits, 8);
  for (std::size_t pos = 0; pos < size; pos += kHexChunk) {
    if (multiLine) out_.Write("\r\n", 2);
    int n = static_cast<int>(std::min(kHexChunk, size - pos));
    BytesToHex(source.data() + pos, digits, n);
    out_.Write(digits, 2 * static_cast<std::size_t>(n));
  }
}

void Emitter::WriteGlyphData(int glyphId) {
  auto bitmap = platform::FindBitmap(glyphId);
  if (!bitmap) throw EResourceError("Bitmap resource " + std::to_string(glyphId) + " not found");
  WriteHexData(*bitmap);
  WriteFormatted("}\r\nend\r\n");
}

}  // namespace orvalen
