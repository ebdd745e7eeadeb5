#include "platform/output_sink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/errors.h"

namespace orvalen::platform {

namespace fs = std::filesystem;

std::string BackupFileName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) return path + ".~";
  return path.substr(0, dot + 1) + "~" + path.substr(dot + 1, 2);
}

namespace {

// The backup's name, or nothing when there was no file to keep.
std::optional<std::string> KeepBackup(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;  // creation reports the rest
  const std::string backup = BackupFileName(path);
  fs::copy_file(path, backup, fs::copy_options::overwrite_existing, ec);
  if (ec) throw EFCreateError("Cannot create backup file " + backup + ": " + ec.message());
  return backup;
}

// A file on disk that marks itself complete in its sink's list once closed.
class DiskFile : public OutputFile {
 public:
  DiskFile(const std::string& path, std::vector<DiskSink::Written>& written)
      : file_(path), written_(written), index_(written.size()) {
    written_.push_back({path, false});
  }
  void Write(const void* data, std::size_t size) override { file_.Write(data, size); }
  using OutputStream::Write;
  std::string ReadAll() override { return file_.ReadAll(); }
  void Close() override {
    file_.Close();
    written_[index_].complete = true;
  }

 private:
  FileStream file_;
  std::vector<DiskSink::Written>& written_;
  std::size_t index_;
};

class MemoryFile : public OutputFile {
 public:
  MemoryFile(std::vector<MemorySink::File>& files, std::size_t index)
      : files_(files), index_(index) {}
  void Write(const void* data, std::size_t size) override {
    files_[index_].bytes.append(static_cast<const char*>(data), size);
  }
  using OutputStream::Write;
  std::string ReadAll() override { return files_[index_].bytes; }
  void Close() override {}

 private:
  std::vector<MemorySink::File>& files_;
  std::size_t index_;
};

}  // namespace

std::unique_ptr<OutputFile> DiskSink::Create(const std::string& path) {
  if (keepBackups_)
    if (std::optional<std::string> backup = KeepBackup(path)) backups_.push_back(*backup);
  return std::make_unique<DiskFile>(path, written_);
}

std::optional<std::string> DiskCreateProblem(const std::string& path, bool keepBackups) {
  std::error_code ec;
  fs::path directory = fs::path(path).parent_path();
  if (directory.empty()) directory = ".";
  const auto writable = [](const fs::path& p, int mode) { return access(p.c_str(), mode) == 0; };
  const std::string cannot = "Cannot create file " + path;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status))
    return fs::is_directory(directory, ec) && writable(directory, W_OK | X_OK)
               ? std::nullopt
               : std::optional(cannot);
  if (!fs::is_regular_file(status)) return cannot;
  if (keepBackups) {
    const std::string backup = BackupFileName(path);
    const fs::file_status kept = fs::status(backup, ec);
    const bool fits = fs::exists(kept) ? fs::is_regular_file(kept) && writable(backup, W_OK)
                                       : writable(directory, W_OK | X_OK);
    if (!fits) {
      const int why = fs::is_directory(kept) ? EISDIR : EACCES;
      return "Cannot create backup file " + backup + ": " + std::strerror(why);
    }
  }
  if (!writable(path, W_OK)) return cannot;
  return std::nullopt;
}

std::unique_ptr<OutputFile> MemorySink::Create(const std::string& path) {
  files_.push_back({path, {}});
  return std::make_unique<MemoryFile>(files_, files_.size() - 1);
}

}  // namespace orvalen::platform
