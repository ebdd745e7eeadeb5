// The template library: the SNIPETS text cut into 60 numbered snippets, and
// the one 1024-character format buffer every writer formats its lines in.
// One run owns one library: constructing it is LoadSnippets, destroying it
// (or FreeSnippets) releases everything, also when writing failed.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/resources.h"

namespace orvalen {

inline constexpr int kSnippetCount = 60;

// Which of the template's alternative snippets a run uses: those of the
// Lazarus target, those of an application whose main form is no MDI frame,
// and those of both together. A snippet a variant does not replace is the
// template's own.
struct SnippetVariant {
  bool lazarus = false;
  bool sdi = false;
};

// The resource names under which snippet n's alternatives are embedded, most
// specific first, for that variant ("SNIPPET_LCL_SDI_08", ...).
std::vector<std::string> VariantResourceNames(int n, SnippetVariant variant);
inline constexpr std::size_t kFormatBufferSize = 1024;

class SnippetLibrary {
 public:
  // LoadSnippets from the module's SNIPETS resource, cut under the ANSI code page.
  SnippetLibrary();
  // The same with the variant's alternatives in place of the template's snippets.
  explicit SnippetLibrary(SnippetVariant variant);
  // The same from any template bytes under a given code page (for tests).
  SnippetLibrary(platform::Bytes templateBytes, int codePage);
  ~SnippetLibrary() { FreeSnippets(); }
  SnippetLibrary(const SnippetLibrary&) = delete;
  SnippetLibrary& operator=(const SnippetLibrary&) = delete;

  // Releases the format buffer and the template copy; snippets are gone after it.
  void FreeSnippets();
  bool Loaded() const { return copy_ != nullptr; }

  // Snippet n (0..59), NUL-terminated inside the template copy.
  const char* SnippetText(int n) const;
  std::string_view Snippet(int n) const { return SnippetText(n); }

  // The format buffer: room for 1024 characters and a terminating NUL.
  char* FormatBuffer();

 private:
  void LoadSnippets(platform::Bytes templateBytes, int codePage);

  std::unique_ptr<char[]> formatBuffer_;
  std::unique_ptr<char[]> copy_;
  std::array<const char*, kSnippetCount> table_{};
};

}  // namespace orvalen
