// Version information of program files, read the way the Windows version
// functions read it: a program carries the standard version block
// (VS_VERSIONINFO with its VS_FIXEDFILEINFO, StringFileInfo and VarFileInfo)
// in its ELF section .versioninfo, put there after linking
// (resources/version/version_info.cmake). Files are taken as anyone may have
// edited them: a malformed one reads as having no version information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvalen::platform {

// The size of the version block a file carries (its .versioninfo section); 0
// when the file cannot be read, is not ELF, or has no such section.
std::uint32_t GetFileVersionInfoSize(const std::string& path);

// Copies the block (at most `size` bytes) into `block`; false when it cannot.
bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* block);

// The version block inside an ELF file image held in memory: the bytes of its
// .versioninfo section, or nothing. The same reading as for a file on disk.
std::optional<std::span<const std::uint8_t>> FindVersionInfo(
    std::span<const std::uint8_t> fileImage);

// Looks a value up in a block of `size` bytes by its path, e.g.
// "\\StringFileInfo\\040904E4\\CompanyName", "\\" (the fixed file info) or
// "\\VarFileInfo\\Translation". Names are compared without regard to the
// case of ASCII letters. False when absent or when the block is malformed on
// the way. For a text value `value` points at its UTF-16LE characters and
// `length` is the recorded count of characters, the terminating NUL
// included; for other values (and blocks, whose length is 0) `length` counts
// bytes. The value lies within the block.
bool VerQueryValue(const void* block, std::uint32_t size, std::string_view subBlock,
                   const void** value, std::uint32_t* length);

// The text value at `subBlock` as UTF-8 (up to its first NUL), or nothing
// when there is none (a binary value, a block of values, an absent path).
std::optional<std::string> VerQueryString(const void* block, std::uint32_t size,
                                          std::string_view subBlock);

// The names of the entries directly below `subBlock`, in their order, as
// UTF-8: "StringFileInfo" and "VarFileInfo" below "\\", the string tables
// below "\\StringFileInfo", the keys of a table. Empty when the path is
// absent; a malformed entry ends the list.
std::vector<std::string> VerQueryNames(const void* block, std::uint32_t size,
                                       std::string_view subBlock);

}  // namespace orvalen::platform
