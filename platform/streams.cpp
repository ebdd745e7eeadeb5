#include "platform/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/errors.h"
#include "platform/memory_advice.h"

namespace orvalen::platform {

FileStream::FileStream(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "w+b");
  if (!file_) throw EFCreateError("Cannot create file " + path_);
  // The writers hand over a line or a snippet at a time: a buffer that holds
  // most whole files makes one write of each rather than one per 4 KiB.
  std::setvbuf(file_, nullptr, _IOFBF, std::size_t{1} << 16);
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

namespace {

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

// A descriptor closed by its destructor.
struct ReadFd {
  int fd;
  ~ReadFd() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string SizeText(std::uint64_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string ReadRegularFile(const std::string& path, std::uint64_t limit) {
  // Non-blocking, so that opening a pipe with no writer does not wait; the
  // flag does not change how a regular file reads.
  ReadFd file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (file.fd < 0) throw EFileRefused(path + ": cannot be read: " + std::strerror(errno));
  struct stat st;
  if (::fstat(file.fd, &st) != 0)
    throw EFileRefused(path + ": cannot be read: " + std::strerror(errno));
  if (!S_ISREG(st.st_mode))
    throw EFileRefused(path + ": not a regular file (" + KindOf(st.st_mode) + ")");
  const auto tooLarge = [&] { return EFileRefused(path + ": larger than " + SizeText(limit)); };
  if (static_cast<std::uint64_t>(st.st_size) > limit) throw tooLarge();
  std::string text;
  text.reserve(static_cast<std::size_t>(st.st_size));
  AdviseLargeBuffer(text.data(), text.capacity());
  if (!ReadToEnd(file.fd, limit, text)) {
    if (errno == EFBIG) throw tooLarge();
    throw EFileRefused(path + ": cannot be read: " + std::strerror(errno));
  }
  return text;
}

bool ReadToEnd(int fd, std::uint64_t limit, std::string& text) {
  char chunk[65536];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (text.size() > limit || static_cast<std::uint64_t>(n) > limit - text.size()) {
      errno = EFBIG;
      return false;
    }
    text.append(chunk, static_cast<std::size_t>(n));
  }
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
