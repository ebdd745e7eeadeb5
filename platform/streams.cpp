#include "platform/streams.h"

#include <cerrno>
#include <cstring>

#include "platform/errors.h"
#include "platform/memory_advice.h"

namespace orvalen::platform {

FileStream::FileStream(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "w+b");
  if (!file_) throw EFCreateError("Cannot create file " + path_);
}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

void FileStream::RaiseWriteError(int error) {
  throw EWriteError("Cannot write file " + path_ + ": " + std::strerror(error));
}

void FileStream::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (!file_ || std::fwrite(data, 1, size, file_) != size) RaiseWriteError(file_ ? errno : EBADF);
}

std::string FileStream::ReadAll() {
  if (!file_ || std::fflush(file_) != 0) RaiseWriteError(errno);
  std::rewind(file_);
  std::string text;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file_)) > 0) text.append(chunk, n);
  if (std::ferror(file_)) throw Error("Cannot read file " + path_ + ": " + std::strerror(errno));
  return text;
}

void FileStream::Close() {
  if (!file_) return;
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) RaiseWriteError(errno);
}

void MemoryStream::Write(const void* data, std::size_t size) {
  auto p = static_cast<const unsigned char*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

std::string ReadFileBytes(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw Error("Cannot open file " + path);
  std::string text;
  // Sized once for a regular file, so a large text is not copied as it grows.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long size = std::ftell(f);
    if (size > 0) {
      text.reserve(static_cast<std::size_t>(size));
      AdviseLargeBuffer(text.data(), text.capacity());
    }
    std::rewind(f);
  }
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) throw Error("Cannot read file " + path);
  return text;
}

void LfLineEnds::Write(const void* data, std::size_t size) {
  std::string_view text(static_cast<const char*>(data), size);
  if (text.empty()) return;
  if (pendingCr_) {
    pendingCr_ = false;
    if (text.front() != '\n') out_.Write("\r", 1);
  }
  // Whole runs between the CRs go on as they are: most writes hold none.
  for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r')) {
    out_.Write(text.data(), cr);
    if (cr + 1 == text.size()) {
      pendingCr_ = true;  // the next write tells whether an LF follows
      return;
    }
    if (text[cr + 1] != '\n') out_.Write("\r", 1);
    text.remove_prefix(cr + 1);
  }
  out_.Write(text.data(), text.size());
}

void LfLineEnds::Finish() {
  if (pendingCr_) out_.Write("\r", 1);
  pendingCr_ = false;
}

}  // namespace orvalen::platform
