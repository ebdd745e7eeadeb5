// Walks whatever bytes it is given as the version information reader sees
// them: as an ELF file image, whose .versioninfo section is then walked, and
// as a version block itself. Every entry reachable by its names is looked
// up; a value must lie within the block, and a name the walk was given must
// be found again. The fuzzer and the test of its kept inputs share it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/version_info.h"

namespace orvalen::testing {

class VersionInfoWalk {
 public:
  // The block is copied to a buffer of exactly its size, so that a read past
  // it is a read past the allocation.
  explicit VersionInfoWalk(std::span<const std::uint8_t> block)
      : copy_(block.begin(), block.end()), size_(static_cast<std::uint32_t>(copy_.size())) {}

  // The first broken promise, or the empty text.
  std::string Problem() {
    Visit("\\");
    Translations();
    return problem_;
  }

 private:
  static constexpr int kMaxEntries = 512;  // enough for any honest block

  static bool Printable(const std::string& name) {
    for (char c : name)
      if (c < 32 || c > 126 || c == '\\') return false;
    return !name.empty();
  }

  void Fail(const std::string& path, const char* what) {
    if (problem_.empty()) problem_ = "\"" + path + "\": " + what;
  }

  // Looks `path` up; its value, in bytes and in characters when it is text,
  // must lie within the block.
  bool Query(const std::string& path) {
    const void* value = nullptr;
    std::uint32_t length = 0;
    if (!platform::VerQueryValue(copy_.data(), size_, path, &value, &length)) return false;
    const std::uint8_t* begin = copy_.data();
    const auto* at = static_cast<const std::uint8_t*>(value);
    if (at < begin || at > begin + size_) {
      Fail(path, "value outside the block");
      return true;
    }
    const std::size_t room = static_cast<std::size_t>(begin + size_ - at);
    std::optional<std::string> text = platform::VerQueryString(copy_.data(), size_, path);
    const std::size_t bytes = text ? 2 * std::size_t{length} : length;
    if (bytes > room) {
      Fail(path, "value runs past the block");
      return true;
    }
    if (text && text->size() > 3 * std::size_t{length}) Fail(path, "text longer than its value");
    for (std::size_t i = 0; i < bytes; ++i) sum_ += at[i];
    return true;
  }

  void Visit(const std::string& path) {
    if (++entries_ > kMaxEntries) return;
    Query(path);
    for (const std::string& name : platform::VerQueryNames(copy_.data(), size_, path)) {
      // A name of printable ASCII is found again by itself; others (a lone
      // surrogate shown as U+FFFD, a backslash) need not be.
      if (!Printable(name)) continue;
      const std::string child = (path == "\\" ? path : path + "\\") + name;
      if (!Query(child)) Fail(child, "a listed name is not found");
      Visit(child);
    }
  }

  // The look-ups a program makes: each translation's string table.
  void Translations() {
    const void* value = nullptr;
    std::uint32_t length = 0;
    if (!platform::VerQueryValue(copy_.data(), size_, "\\VarFileInfo\\Translation", &value,
                                 &length))
      return;
    const auto* t = static_cast<const std::uint8_t*>(value);
    for (std::uint32_t i = 0; i + 4 <= length && i < 64; i += 4) {
      char table[40];
      std::snprintf(table, sizeof table, "\\StringFileInfo\\%02X%02X%02X%02X\\", t[i + 1], t[i],
                    t[i + 3], t[i + 2]);
      for (const char* key : {"CompanyName", "FileDescription", "FileVersion", "LegalCopyright"})
        Query(table + std::string(key));
    }
  }

  std::vector<std::uint8_t> copy_;
  std::uint32_t size_;
  int entries_ = 0;
  unsigned sum_ = 0;  // the value bytes, read so that a bad pointer shows
  std::string problem_;
};

// The problem the reader has with `input` taken as a file image and as a
// block, or the empty text.
inline std::string VersionInfoProblem(std::span<const std::uint8_t> input) {
  if (auto block = platform::FindVersionInfo(input)) {
    if (block->data() < input.data() || block->data() + block->size() > input.data() + input.size())
      return "section outside the file";
    if (std::string p = VersionInfoWalk(*block).Problem(); !p.empty()) return "section " + p;
  }
  if (std::string p = VersionInfoWalk(input).Problem(); !p.empty()) return "block " + p;
  return {};
}

}  // namespace orvalen::testing
