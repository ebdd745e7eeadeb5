#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace orvalen::platform {

EReplaceFileError::EReplaceFileError(std::string step, int error)
    : Error(error ? step + ": " + std::strerror(error) : step),
      step_(std::move(step)),
      errno_(error) {}

namespace {

// Raised with errno as the failing call left it, before any clean-up can change it.
[[noreturn]] void Fail(const std::string& step) {
  throw EReplaceFileError(step, errno);
}

UniqueFd WriteTemporary(const std::string& tmp, std::string_view bytes, mode_t mode) {
  ::unlink(tmp.c_str());  // left behind by a run that was killed
  UniqueFd fd(::open(tmp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
  if (fd.Get() < 0) Fail("cannot create " + tmp);
  for (std::size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("cannot write " + tmp);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd.Get()) != 0) Fail("cannot flush " + tmp);
  return fd;
}

std::string DirectoryOf(const std::string& path) {
  std::string dir = std::filesystem::path(path).parent_path().string();
  return dir.empty() ? "." : dir;
}

// A rename is durable only once the directory holding it is flushed. Some file
// systems cannot flush a directory at all (EINVAL): that is no failure.
void SyncDirectory(const std::string& path) {
  const std::string dir = DirectoryOf(path);
  UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0 && (::fsync(fd.Get()) == 0 || errno == EINVAL)) return;
  std::fprintf(stderr, "orvalen: %s is saved, but its directory %s cannot be flushed: %s\n",
               path.c_str(), dir.c_str(), std::strerror(errno));
}

}  // namespace

UniqueFd ReplaceFile(const std::string& path, std::string_view bytes,
                     const ReplaceFileOptions& options) {
  const std::string tmp =
      options.temporary.empty() ? path + ".tmp" + std::to_string(::getpid()) : options.temporary;
  UniqueFd file;
  try {
    file = WriteTemporary(tmp, bytes, options.mode);
    if (options.beforeRename) options.beforeRename();
    if (::rename(tmp.c_str(), path.c_str()) != 0) Fail("cannot rename " + tmp + " to " + path);
  } catch (...) {
    ::unlink(tmp.c_str());  // the error already holds its errno
    throw;
  }
  SyncDirectory(path);
  return file;
}

}  // namespace orvalen::platform
