// Replacing a whole file so that a reader, or a crash, only ever sees the old
// file or the new one: the new bytes go to a temporary file beside the target,
// which is flushed to the disk and renamed over the target; then the
// directory is flushed, so that the rename itself survives a crash.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "platform/unique_fd.h"

namespace orvalen::platform {

// A replacement that failed before its rename: the target is as it was and
// no temporary file is left. `Step()` says what failed ("cannot create
// /d/a.json.tmp12"), `Errno()` the system's reason (0 when the step raised
// an error of its own); what() joins them.
class EReplaceFileError : public Error {
 public:
  EReplaceFileError(std::string step, int error);
  const std::string& Step() const { return step_; }
  int Errno() const { return errno_; }

 private:
  std::string step_;
  int errno_;
};

struct ReplaceFileOptions {
  // The temporary file; empty: the target's name with ".tmp" and the process id.
  // A file of that name left by a run that was killed is removed first.
  std::string temporary;
  // Permissions of the new file (before the umask).
  mode_t mode = 0666;
  // Runs once the new file is flushed, just before the rename; what it raises
  // ends the replacement like a failing step.
  std::function<void()> beforeRename;
};

// Replaces `path` with a file holding `bytes`. Raises EReplaceFileError for a
// failure before the rename. Once the rename has landed the file HAS been
// replaced: a directory that cannot be flushed then is one line on standard
// error, not a failure. Returns the new file, open for reading.
UniqueFd ReplaceFile(const std::string& path, std::string_view bytes,
                     const ReplaceFileOptions& options = {});

}  // namespace orvalen::platform
