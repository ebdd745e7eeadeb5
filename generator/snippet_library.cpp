#include "generator/snippet_library.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/codepage.h"
#include "platform/errors.h"

namespace orvalen {

namespace {
constexpr char kSeparator = '|';
}

SnippetLibrary::SnippetLibrary() {
  auto bytes = platform::FindResource("SNIPETS", platform::ResourceType::RCData);
  if (!bytes) throw EResourceError("The template resource SNIPETS is missing.");
  LoadSnippets(*bytes, platform::AnsiCodePage());
}

std::vector<std::string> VariantResourceNames(int n, SnippetVariant variant) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", n);
  std::vector<std::string> names;
  if (variant.lazarus && variant.sdi) names.push_back(std::string("SNIPPET_LCL_SDI_") + number);
  if (variant.lazarus) names.push_back(std::string("SNIPPET_LCL_") + number);
  if (variant.sdi) names.push_back(std::string("SNIPPET_SDI_") + number);
  return names;
}

SnippetLibrary::SnippetLibrary(SnippetVariant variant) : SnippetLibrary() {
  // The alternatives are embedded with a terminator past their counted size
  // and live as long as the program: the table may point into them.
  for (int n = 0; n < kSnippetCount; ++n) {
    for (const std::string& name : VariantResourceNames(n, variant)) {
      if (auto bytes = platform::FindResource(name, platform::ResourceType::RCData)) {
        table_[static_cast<std::size_t>(n)] = reinterpret_cast<const char*>(bytes->data());
        break;
      }
    }
  }
}

SnippetLibrary::SnippetLibrary(platform::Bytes templateBytes, int codePage) {
  LoadSnippets(templateBytes, codePage);
}

void SnippetLibrary::LoadSnippets(platform::Bytes bytes, int codePage) {
  formatBuffer_ = std::make_unique<char[]>(kFormatBufferSize + 1);
  copy_ = std::make_unique<char[]>(bytes.size());
  if (!bytes.empty()) std::memcpy(copy_.get(), bytes.data(), bytes.size());

  // Cut at the first 60 separators that are whole characters: the second
  // byte of a double-byte character may be a '|' and must not end a snippet.
  // The lead bytes are looked up once; a code page without them (most are)
  // is cut with memchr, as every run loads the whole template.
  std::array<bool, 256> lead{};
  bool anyLead = false;
  for (std::size_t b = 0; b < lead.size(); ++b) {
    lead[b] = platform::IsDBCSLeadByteEx(codePage, static_cast<unsigned char>(b));
    anyLead = anyLead || lead[b];
  }
  char* cursor = copy_.get();
  char* const end = cursor + bytes.size();
  for (int i = 0; i < kSnippetCount; ++i) {
    table_[i] = cursor;
    if (!anyLead) {
      void* separator = std::memchr(cursor, kSeparator, static_cast<std::size_t>(end - cursor));
      cursor = separator ? static_cast<char*>(separator) : end;
    }
    while (cursor < end && *cursor != kSeparator)
      cursor += lead[static_cast<unsigned char>(*cursor)] && cursor + 1 < end ? 2 : 1;
    if (cursor >= end) {
      FreeSnippets();
      throw EResourceError("The template holds " + std::to_string(i) + " of the " +
                           std::to_string(kSnippetCount) +
                           " snippets; it is not a valid template.");
    }
    *cursor++ = '\0';
  }
}

void SnippetLibrary::FreeSnippets() {
  formatBuffer_.reset();
  copy_.reset();
  table_.fill(nullptr);
}

const char* SnippetLibrary::SnippetText(int n) const {
  if (!Loaded()) throw std::logic_error("SnippetText: the snippet library is not loaded");
  if (n < 0 || n >= kSnippetCount)
    throw std::out_of_range("SnippetText: no snippet " + std::to_string(n));
  return table_[static_cast<std::size_t>(n)];
}

char* SnippetLibrary::FormatBuffer() {
  if (!formatBuffer_) throw std::logic_error("FormatBuffer: the snippet library is not loaded");
  return formatBuffer_.get();
}

}  // namespace orvalen
