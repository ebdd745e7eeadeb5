// The emission operations every writer of a generated file uses: snippets,
// formatted lines, field and handler declarations, handler heads, and binary
// data as the hexadecimal text of form descriptions. An Emitter writes into
// one output stream and borrows the run's snippet library and format buffer.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "generator/format.h"
#include "generator/snippet_library.h"
#include "platform/streams.h"

namespace orvalen {

struct WizardSettings;

// The 2n upper-case hexadecimal digits of n bytes, high half first; no terminator.
void BytesToHex(const std::uint8_t* source, char* destination, int n);

class Emitter {
 public:
  Emitter(platform::OutputStream& out, SnippetLibrary& library) : out_(out), library_(library) {}

  // Snippet n exactly as it stands; a "%" in it is written literally.
  void WriteSnippet(int n);
  // The text formatted into the format buffer, cut after 1024 characters.
  void WriteFormatted(std::string_view format, std::initializer_list<FormatArg> args = {});
  // Snippet n formatted with `args` and written whole, without the 1024-character cut.
  void WriteFormattedSnippet(int n, std::initializer_list<FormatArg> args);

  // "    Name: Type;"
  void WriteField(int nameId, std::string_view typeName);
  // One "TMenuItem" field per command of the menu, named by its item name.
  void WriteMenuFields(int menu);
  // "    procedure Name(Sender: TObject);"
  void WriteHandlerDecl(int nameId);
  // One handler declaration per command of the menu.
  void WriteMenuHandlerDecls(int menu);
  // "procedure TMainFormApp.Name(Sender: TObject);"
  void WriteHandlerHead(std::string_view appName, int nameId);
  // "    procedure Name(ParamText);"
  void WriteParamDecl(int nameId, std::string_view paramText);
  // "procedure TMainFormApp.Name(ParamText);"
  void WriteParamHead(std::string_view appName, int nameId, std::string_view paramText);
  // For each command of the menu: its handler head, then body snippet firstSnippet + k.
  void WriteMenuHandlers(int menu, int firstSnippet, const WizardSettings& settings);

  // The length as 8 hexadecimal digits (little-endian), then the data in
  // lines of 64 digits, each after a CR LF when the data is over 32 bytes.
  void WriteHexData(std::span<const std::uint8_t> source);
  // Bitmap `glyphId` as a BMP file image in hexadecimal, then "}" and "end"
  // closing the speed button object.
  void WriteGlyphData(int glyphId);

  platform::OutputStream& Output() { return out_; }
  // The run's snippets, for writers that format one through WriteFormatted.
  const SnippetLibrary& Library() const { return library_; }

 private:
  void WriteWhole(std::string_view format, std::initializer_list<FormatArg> args);

  platform::OutputStream& out_;
  SnippetLibrary& library_;
};

}  // namespace orvalen
