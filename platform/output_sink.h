// Where a generation run's files go: onto disk, keeping the file each one
// replaces under its backup name, or into memory, for a preview that shows
// the run's own bytes without writing anything.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/streams.h"

namespace orvalen::platform {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Creates `path` anew; raises EFCreateError when it cannot.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
};

// The name an existing file is kept under before it is replaced: a tilde and
// the first two characters of the extension ("MAIN.PAS" -> "MAIN.~PA",
// "Editor.DPR" -> "Editor.~DP"); a name without an extension gets ".~".
std::string BackupFileName(const std::string& path);

// Files on disk. An existing regular file is first copied to its backup name
// (one generation deep: an older backup is replaced) unless backups are off;
// a backup that cannot be made raises EFCreateError and leaves the file as it was.
// It remembers what it changed on disk, so that a run that fails part way can
// say so. The files it creates must not outlive it.
class DiskSink : public OutputSink {
 public:
  struct Written {
    std::string path;
    bool complete = false;  // closed without a failure
  };

  explicit DiskSink(bool keepBackups = true) : keepBackups_(keepBackups) {}
  std::unique_ptr<OutputFile> Create(const std::string& path) override;

  // Every file created, in order.
  const std::vector<Written>& Files() const { return written_; }
  // Every backup made (the file a created one replaced, under its backup name), in order.
  const std::vector<std::string>& Backups() const { return backups_; }

 private:
  bool keepBackups_;
  std::vector<Written> written_;
  std::vector<std::string> backups_;
};

// Why DiskSink(keepBackups).Create(path) would fail now, in the words it
// would raise, or nothing when it would succeed: the name taken by something
// other than a regular file, a backup that cannot be made, a file or
// directory that cannot be written. Nothing is written to find out.
std::optional<std::string> DiskCreateProblem(const std::string& path, bool keepBackups = true);

// Files kept in memory, in the order they were created.
class MemorySink : public OutputSink {
 public:
  struct File {
    std::string path;
    std::string bytes;
  };
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  const std::vector<File>& Files() const { return files_; }

 private:
  std::vector<File> files_;
};

}  // namespace orvalen::platform
