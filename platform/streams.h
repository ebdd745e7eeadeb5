// Byte streams: an output file created anew, and a memory stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"

namespace orvalen::platform {

class OutputStream {
 public:
  virtual ~OutputStream() = default;
  // Writes all `size` bytes or raises EWriteError.
  virtual void Write(const void* data, std::size_t size) = 0;
  void Write(std::string_view text) { Write(text.data(), text.size()); }
};

// One output file of a generation run, open for writing until Close.
class OutputFile : public OutputStream {
 public:
  // Everything written so far (a form's text is converted from it).
  virtual std::string ReadAll() = 0;
  // Completes the file; reports a failure the destructor would have to swallow.
  virtual void Close() = 0;
};

// A file created anew (an existing file is replaced), readable and writable,
// closed by its destructor. Creation failure raises "Cannot create file %s";
// a short write or a failing close raises EWriteError naming the file.
class FileStream : public OutputFile {
 public:
  explicit FileStream(std::string path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  void Write(const void* data, std::size_t size) override;
  using OutputStream::Write;
  // Reads the whole file from its start (used to convert a text form just written).
  std::string ReadAll() override;
  // Flushes and closes; reports a failure the destructor would have to swallow.
  void Close() override;
  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void RaiseWriteError(int error);
  std::string path_;
  std::FILE* file_ = nullptr;
};

class MemoryStream : public OutputStream {
 public:
  void Write(const void* data, std::size_t size) override;
  using OutputStream::Write;
  const std::vector<unsigned char>& Bytes() const { return bytes_; }
  std::string Text() const { return {bytes_.begin(), bytes_.end()}; }

 private:
  std::vector<unsigned char> bytes_;
};

// Passes text on with each CR LF turned into LF: the writers emit CR LF, a
// Lazarus project keeps LF. A CR at the end of one write waits for the next;
// Finish passes on a CR that nothing followed.
class LfLineEnds : public OutputStream {
 public:
  explicit LfLineEnds(OutputStream& out) : out_(out) {}
  void Write(const void* data, std::size_t size) override;
  using OutputStream::Write;
  void Finish();

 private:
  OutputStream& out_;
  bool pendingCr_ = false;
};

// Reads a whole file; raises Error "Cannot open file %s" when it cannot.
std::string ReadFileBytes(const std::string& path);

// The most a reader takes from one file. Each input is bounded by what real
// ones need, so a device, a pipe or a wrong file cannot make a reader grow
// without end.
inline constexpr std::uint64_t kMaxAnswersFileSize = std::uint64_t{1} << 20;    // 1 MiB
inline constexpr std::uint64_t kMaxFormTextSize = std::uint64_t{64} << 20;      // 64 MiB
inline constexpr std::uint64_t kMaxRegistryStoreSize = std::uint64_t{4} << 20;  // 4 MiB

// A file a reader refuses to read; the message is one line naming the file.
class EFileRefused : public Error {
 public:
  using Error::Error;
};

// "1 MiB", "64 MiB", "512 KiB", "100 bytes": a limit as the messages and the
// help say it.
std::string SizeText(std::uint64_t bytes);

// Reads a whole regular file of at most `limit` bytes. Refuses, before
// reading anything, a path that cannot be opened ("PATH: cannot be read:
// REASON"), that is no regular file ("PATH: not a regular file (a directory)")
// or that is larger ("PATH: larger than 1 MiB"); a file that grows past the
// limit while it is read is refused too. Opening never waits on a pipe.
std::string ReadRegularFile(const std::string& path, std::uint64_t limit);

// Appends what is left to read from `fd` to `text`, which may not grow past
// `limit` bytes. False with errno set when a read fails, and with EFBIG when
// there is more than the limit.
bool ReadToEnd(int fd, std::uint64_t limit, std::string& text);

}  // namespace orvalen::platform
