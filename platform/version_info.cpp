#include "platform/version_info.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/ascii_case.h"
#include "platform/utf8.h"

namespace orvalen::platform {
namespace {

constexpr std::string_view kSectionName = ".versioninfo";

// ---- Where the file's bytes come from ----------------------------------------

// Every read names its offset and length and either gets all the bytes or
// fails: the ELF reading below never touches memory it has not asked for.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  virtual bool Read(std::uint64_t offset, std::size_t count, void* out) const = 0;

 protected:
  bool InRange(std::uint64_t offset, std::uint64_t count) const {
    return offset <= Size() && count <= Size() - offset;
  }
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  bool Read(std::uint64_t offset, std::size_t count, void* out) const override {
    if (!InRange(offset, count)) return false;
    if (count) std::memcpy(out, bytes_.data() + offset, count);
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// A regular file opened for reading; anything else (a directory, a FIFO, a
// device) is no program file and is not waited on.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {
    struct stat st;
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode))
      size_ = static_cast<std::uint64_t>(st.st_size);
    else
      Close();
  }
  ~FileSource() override { Close(); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  std::uint64_t Size() const override { return size_; }
  bool Read(std::uint64_t offset, std::size_t count, void* out) const override {
    if (fd_ < 0 || !InRange(offset, count)) return false;
    auto* p = static_cast<char*>(out);
    while (count > 0) {
      ssize_t n = ::pread(fd_, p, count, static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // an error, or the file shrank under us
      p += n;
      offset += static_cast<std::uint64_t>(n);
      count -= static_cast<std::size_t>(n);
    }
    return true;
  }

 private:
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
  std::uint64_t size_ = 0;
};

// ---- ELF ------------------------------------------------------------------------

struct Extent {
  std::uint64_t offset, size;
};

// Numbers of either byte order from a header read into memory.
class Fields {
 public:
  Fields(const std::uint8_t* bytes, bool bigEndian) : b_(bytes), big_(bigEndian) {}
  std::uint64_t Get(std::size_t at, int width) const {
    std::uint64_t v = 0;
    for (int k = 0; k < width; ++k) {
      int shift = big_ ? 8 * (width - 1 - k) : 8 * k;
      v |= static_cast<std::uint64_t>(b_[at + static_cast<std::size_t>(k)]) << shift;
    }
    return v;
  }

 private:
  const std::uint8_t* b_;
  bool big_;
};

// Where the fields lie in the file header and a section header of the two
// classes (offset and width), as <elf.h> lays them out.
struct Layout {
  std::size_t headerSize;
  std::size_t shoff;
  int shoffWidth;
  std::size_t shentsize, shnum, shstrndx;
  std::size_t sectionSize;
  std::size_t name, type, offset, size, link;
  int wordWidth;
};

template <typename Ehdr, typename Shdr>
constexpr Layout LayoutOf() {
  return {sizeof(Ehdr),
          offsetof(Ehdr, e_shoff),
          static_cast<int>(sizeof(Ehdr::e_shoff)),
          offsetof(Ehdr, e_shentsize),
          offsetof(Ehdr, e_shnum),
          offsetof(Ehdr, e_shstrndx),
          sizeof(Shdr),
          offsetof(Shdr, sh_name),
          offsetof(Shdr, sh_type),
          offsetof(Shdr, sh_offset),
          offsetof(Shdr, sh_size),
          offsetof(Shdr, sh_link),
          static_cast<int>(sizeof(Shdr::sh_offset))};
}
constexpr Layout kElf32 = LayoutOf<Elf32_Ehdr, Elf32_Shdr>();
constexpr Layout kElf64 = LayoutOf<Elf64_Ehdr, Elf64_Shdr>();
// The header and entry buffers below hold the larger class.
static_assert(sizeof(Elf64_Ehdr) <= 64 && sizeof(Elf64_Shdr) <= 64);

struct Section {
  std::uint64_t name, type, offset, size, link;
};

class ElfReader {
 public:
  explicit ElfReader(const ByteSource& src) : src_(src) {}

  std::optional<Extent> Find(std::string_view wanted) {
    if (!ReadHeader()) return std::nullopt;
    std::optional<Section> names = SectionAt(nameIndex_);
    if (!names || !Holds(*names)) return std::nullopt;
    std::string buffer(wanted.size() + 1, '\0');
    for (std::uint64_t i = 0; i < count_; ++i) {
      std::optional<Section> s = SectionAt(i);
      if (!s) return std::nullopt;
      // The name must lie in the name table, its NUL included.
      if (s->name > names->size || buffer.size() > names->size - s->name) continue;
      if (!src_.Read(names->offset + s->name, buffer.size(), buffer.data())) return std::nullopt;
      if (std::string_view(buffer).substr(0, wanted.size()) != wanted || buffer.back() != '\0')
        continue;
      if (!Holds(*s)) return std::nullopt;
      return Extent{s->offset, s->size};
    }
    return std::nullopt;
  }

 private:
  bool ReadHeader() {
    std::uint8_t header[64];
    if (!src_.Read(0, EI_NIDENT, header)) return false;
    if (std::memcmp(header, ELFMAG, SELFMAG) != 0 || header[EI_VERSION] != EV_CURRENT) return false;
    if (header[EI_CLASS] == ELFCLASS32)
      layout_ = &kElf32;
    else if (header[EI_CLASS] == ELFCLASS64)
      layout_ = &kElf64;
    else
      return false;
    if (header[EI_DATA] != ELFDATA2LSB && header[EI_DATA] != ELFDATA2MSB) return false;
    bigEndian_ = header[EI_DATA] == ELFDATA2MSB;
    if (!src_.Read(0, layout_->headerSize, header)) return false;
    Fields f(header, bigEndian_);
    tableOffset_ = f.Get(layout_->shoff, layout_->shoffWidth);
    entrySize_ = f.Get(layout_->shentsize, 2);
    count_ = f.Get(layout_->shnum, 2);
    nameIndex_ = f.Get(layout_->shstrndx, 2);
    if (tableOffset_ == 0) return false;  // no section header table
    if (entrySize_ < layout_->sectionSize) return false;
    // With more sections than the header can count, section 0 holds the
    // count, and the name table's index when that does not fit either.
    if (count_ == 0 || nameIndex_ == SHN_XINDEX) {
      std::optional<Section> first = SectionAt(0);
      if (!first) return false;
      if (count_ == 0) count_ = first->size;
      if (nameIndex_ == SHN_XINDEX) nameIndex_ = first->link;
    }
    // The whole table lies in the file.
    if (tableOffset_ > src_.Size() || count_ > (src_.Size() - tableOffset_) / entrySize_)
      return false;
    return count_ > 0 && nameIndex_ != 0 && nameIndex_ < count_;
  }

  // Section `index` of the table; the check keeps the offset from overflowing.
  std::optional<Section> SectionAt(std::uint64_t index) const {
    if (tableOffset_ > src_.Size() || index > (src_.Size() - tableOffset_) / entrySize_)
      return std::nullopt;
    std::uint8_t entry[64];
    if (!src_.Read(tableOffset_ + index * entrySize_, layout_->sectionSize, entry))
      return std::nullopt;
    Fields f(entry, bigEndian_);
    const int word = layout_->wordWidth;
    return Section{f.Get(layout_->name, 4), f.Get(layout_->type, 4), f.Get(layout_->offset, word),
                   f.Get(layout_->size, word), f.Get(layout_->link, 4)};
  }

  // A section whose bytes are all in the file.
  bool Holds(const Section& s) const {
    return s.type != SHT_NOBITS && s.offset <= src_.Size() && s.size <= src_.Size() - s.offset;
  }

  const ByteSource& src_;
  const Layout* layout_ = nullptr;
  bool bigEndian_ = false;
  std::uint64_t tableOffset_ = 0, entrySize_ = 0, count_ = 0, nameIndex_ = 0;
};

// The version section of a file, when its size is one a block can have.
std::optional<Extent> FindVersionSection(const ByteSource& src) {
  std::optional<Extent> e = ElfReader(src).Find(kSectionName);
  if (!e || e->size == 0 || e->size > 0xFFFFFFFFu) return std::nullopt;
  return e;
}

// ---- The version block ---------------------------------------------------------

// One entry of the block: a header of wLength, wValueLength and wType, a
// NUL-terminated UTF-16 key, the value on a 32-bit boundary, then the
// children, each on such a boundary. Offsets count from the block's start;
// since the root's wLength has 16 bits and every entry lies within its
// parent, none comes near overflowing.
struct Entry {
  std::uint32_t start = 0, end = 0;  // end: start + wLength
  std::uint16_t valueLength = 0, type = 0;
  std::uint32_t keyOffset = 0, keyChars = 0;
  std::uint32_t valueOffset = 0, valueBytes = 0;
  std::uint32_t childrenOffset = 0;

  bool IsText() const { return type == 1; }
};

constexpr std::uint32_t Align4(std::uint32_t n) {
  return (n + 3u) & ~3u;
}

class Block {
 public:
  Block(const void* data, std::uint32_t size)
      : b_(static_cast<const std::uint8_t*>(data)), size_(data ? size : 0) {}

  std::uint16_t U16(std::uint32_t at) const {
    return static_cast<std::uint16_t>(b_[at] | b_[at + 1] << 8);
  }

  // The entry at `at`, which must end by `limit` (its parent's end).
  std::optional<Entry> At(std::uint32_t at, std::uint32_t limit) const {
    if (limit > size_ || at > limit || limit - at < 6) return std::nullopt;
    Entry e;
    e.start = at;
    std::uint16_t length = U16(at);
    if (length < 6 || length > limit - at) return std::nullopt;
    e.end = at + length;
    e.valueLength = U16(at + 2);
    e.type = U16(at + 4);
    e.keyOffset = at + 6;
    std::uint32_t k = e.keyOffset;
    while (k + 2 <= e.end && U16(k) != 0) k += 2;
    if (k + 2 > e.end) return std::nullopt;  // the key runs past the entry
    e.keyChars = (k - e.keyOffset) / 2;
    e.valueOffset = std::min(Align4(k + 2), e.end);
    e.valueBytes = e.IsText() ? 2u * e.valueLength : e.valueLength;
    if (e.valueBytes > e.end - e.valueOffset) return std::nullopt;
    e.childrenOffset = Align4(e.valueOffset + e.valueBytes);
    return e;
  }

  std::optional<Entry> Root() const { return At(0, size_); }

  // The first child whose key is `name`; nothing when there is none or a
  // malformed child comes first.
  std::optional<Entry> Child(const Entry& parent, std::u16string_view name) const {
    for (std::uint32_t at = parent.childrenOffset; at < parent.end;) {
      std::optional<Entry> child = At(at, parent.end);
      if (!child) return std::nullopt;
      if (KeyIs(*child, name)) return child;
      at = Align4(child->end);
    }
    return std::nullopt;
  }

  template <typename Visit>
  void Children(const Entry& parent, Visit visit) const {
    for (std::uint32_t at = parent.childrenOffset; at < parent.end;) {
      std::optional<Entry> child = At(at, parent.end);
      if (!child) return;
      visit(*child);
      at = Align4(child->end);
    }
  }

  // The entry at a path of names separated by backslashes.
  std::optional<Entry> Find(std::string_view path) const {
    std::optional<Entry> e = Root();
    while (e) {
      std::size_t skip = path.find_first_not_of('\\');
      if (skip == std::string_view::npos) return e;
      path.remove_prefix(skip);
      std::size_t cut = std::min(path.find('\\'), path.size());
      // A malformed sequence becomes U+FFFD, which no key of ours holds.
      e = Child(*e, Utf8ToUtf16(path.substr(0, cut)));
      path.remove_prefix(cut);
    }
    return std::nullopt;
  }

  std::u16string Key(const Entry& e) const { return Chars(e.keyOffset, e.keyChars); }

  std::u16string Chars(std::uint32_t at, std::uint32_t count) const {
    std::u16string s;
    s.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) s += static_cast<char16_t>(U16(at + 2 * i));
    return s;
  }

  const std::uint8_t* Data() const { return b_; }

 private:
  bool KeyIs(const Entry& e, std::u16string_view name) const {
    return e.keyChars == name.size() && SameText(Key(e), name);
  }

  const std::uint8_t* b_;
  std::uint32_t size_;
};

}  // namespace

std::uint32_t GetFileVersionInfoSize(const std::string& path) {
  FileSource file(path);
  if (!file.IsOpen()) return 0;
  std::optional<Extent> e = FindVersionSection(file);
  return e ? static_cast<std::uint32_t>(e->size) : 0;
}

bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* block) {
  if (!block || size == 0) return false;
  FileSource file(path);
  if (!file.IsOpen()) return false;
  std::optional<Extent> e = FindVersionSection(file);
  return e && file.Read(e->offset, std::min<std::uint64_t>(size, e->size), block);
}

std::optional<std::span<const std::uint8_t>> FindVersionInfo(
    std::span<const std::uint8_t> fileImage) {
  std::optional<Extent> e = FindVersionSection(MemorySource(fileImage));
  if (!e) return std::nullopt;
  return fileImage.subspan(e->offset, e->size);
}

bool VerQueryValue(const void* block, std::uint32_t size, std::string_view subBlock,
                   const void** value, std::uint32_t* length) {
  Block b(block, size);
  std::optional<Entry> e = b.Find(subBlock);
  if (!e) return false;
  if (value) *value = b.Data() + e->valueOffset;
  if (length) *length = e->valueLength;
  return true;
}

std::optional<std::string> VerQueryString(const void* block, std::uint32_t size,
                                          std::string_view subBlock) {
  Block b(block, size);
  std::optional<Entry> e = b.Find(subBlock);
  // A text entry with children is a block of values, not a value.
  if (!e || !e->IsText() || e->childrenOffset < e->end) return std::nullopt;
  std::u16string text = b.Chars(e->valueOffset, e->valueLength);
  text.resize(std::min(text.size(), text.find(u'\0')));
  return Utf16ToUtf8(text);
}

std::vector<std::string> VerQueryNames(const void* block, std::uint32_t size,
                                       std::string_view subBlock) {
  Block b(block, size);
  std::vector<std::string> names;
  if (std::optional<Entry> e = b.Find(subBlock))
    b.Children(*e, [&](const Entry& child) { names.push_back(Utf16ToUtf8(b.Key(child))); });
  return names;
}

}  // namespace orvalen::platform
