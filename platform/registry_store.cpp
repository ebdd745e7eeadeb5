#include "platform/registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "platform/file_replace.h"
#include "platform/registry_store_format.h"
#include "platform/unique_fd.h"
#include "platform/user_name.h"

namespace orvalen::platform {
namespace {

using FileIdentity = RegistryStore::FileIdentity;

FileIdentity IdentityOf(const struct stat& st) {
  return {true,
          static_cast<unsigned long long>(st.st_dev),
          static_cast<unsigned long long>(st.st_ino),
          static_cast<unsigned long long>(st.st_size),
          static_cast<long long>(st.st_mtim.tv_sec),
          static_cast<long long>(st.st_mtim.tv_nsec)};
}

FileIdentity IdentityOfPath(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? IdentityOf(st) : FileIdentity{};
}

using Fd = UniqueFd;

// The store as it is on disk now.
struct StoreOnDisk {
  RegistryKey root;
  Fd file;  // held open while its view is in use
  FileIdentity identity;
  std::string problem;  // why it reads as empty; empty when it was read whole or is missing
  // Whether a save may keep it aside and replace it: its bytes are no store, or
  // it may not be read at all. A passing failure (no file descriptors left, an
  // I/O error) or a directory in its place stops the save instead.
  bool keepAside = false;
};

bool ReadAll(int fd, std::string& text) {
  char chunk[65536];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    text.append(chunk, static_cast<std::size_t>(n));
  }
}

StoreOnDisk ReadStore(const std::string& path) {
  StoreOnDisk store;
  store.file = Fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  const Fd& fd = store.file;
  struct stat st;
  if (fd.Get() < 0) {
    if (errno != ENOENT && errno != ENOTDIR) store.problem = std::strerror(errno);
    store.keepAside = errno == EACCES || errno == EPERM;
    store.identity = IdentityOfPath(path);
    return store;
  }
  if (::fstat(fd.Get(), &st) != 0) {
    store.problem = std::strerror(errno);
    return store;
  }
  store.identity = IdentityOf(st);
  std::string text;
  if (!S_ISREG(st.st_mode)) {
    store.problem = "not a regular file";
  } else if (!ReadAll(fd.Get(), text)) {
    store.problem = std::strerror(errno);
  } else if (std::optional<RegistryKey> root = ParseRegistryStore(text, &store.problem)) {
    store.root = std::move(*root);
  } else {
    store.keepAside = true;
  }
  return store;
}

// `error` is an errno value, or 0 when `what` says it all.
[[noreturn]] void RaiseSaveError(const std::string& path, const std::string& what, int error) {
  std::string message = "Cannot save the registry store " + path + ": " + what;
  if (error != 0) message += std::string(": ") + std::strerror(error);
  throw ERegistryException(message);
}

// The lock that serialises saves between programs, held while it lives.
class SaveLock {
 public:
  explicit SaveLock(const std::string& storePath)
      : fd_(::open((storePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_.Get() < 0) RaiseSaveError(storePath, "cannot open its lock file", errno);
    while (::flock(fd_.Get(), LOCK_EX) != 0)
      if (errno != EINTR) RaiseSaveError(storePath, "cannot lock it", errno);
  }

 private:
  Fd fd_;
};

// Keeps `fd` open in place of the file held so far.
void HoldFile(int& held, int fd) {
  if (held >= 0) ::close(held);
  held = fd;
}

std::string Directory(const std::string& path) {
  std::string dir = std::filesystem::path(path).parent_path().string();
  return dir.empty() ? "." : dir;
}

std::string TimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Gives the unreadable store a new name of its own, so that the save about to
// replace it loses nothing; returns that name.
std::string KeepAside(const std::string& path) {
  std::string stamp = path + ".corrupt-" + TimeStamp();
  for (int n = 0;; ++n) {
    std::string aside = n == 0 ? stamp : stamp + "-" + std::to_string(n);
    // A second link keeps the store in its place until the new one replaces it.
    if (::link(path.c_str(), aside.c_str()) == 0) return aside;
    if (errno == EEXIST) continue;
    // Without hard links: claim the name, then move the store onto it.
    Fd claim(::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (claim.Get() < 0 && errno == EEXIST) continue;
    if (claim.Get() >= 0 && ::rename(path.c_str(), aside.c_str()) == 0) return aside;
    int error = errno;
    if (claim.Get() >= 0) ::unlink(aside.c_str());
    RaiseSaveError(path, "cannot keep the unreadable store aside as " + aside, error);
  }
}

}  // namespace

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {}

RegistryStore::~RegistryStore() {
  HoldFile(loadedFile_, -1);
}

void RegistryStore::Refresh() {
  if (loaded_ && *loaded_ == IdentityOfPath(path_)) return;
  StoreOnDisk store = ReadStore(path_);
  if (!store.problem.empty())
    std::fprintf(stderr,
                 "orvalen: the registry store %s cannot be read (%s); it reads as empty until "
                 "the next save keeps it aside\n",
                 path_.c_str(), store.problem.c_str());
  view_ = std::move(store.root);
  for (const RegistryChange& change : pending_) ApplyChange(view_, change);
  loaded_ = store.identity;
  HoldFile(loadedFile_, store.file.Release());
}

const RegistryKey& RegistryStore::Root() {
  if (!loaded_) Refresh();
  return view_;
}

void RegistryStore::Apply(RegistryChange change) {
  if (!loaded_) Refresh();
  ApplyChange(view_, change);
  pending_.push_back(std::move(change));
}

void RegistryStore::Save() {
  if (pending_.empty()) return;
  std::string dir = Directory(path_);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) RaiseSaveError(path_, "cannot create the directory " + dir, ec.value());

  SaveLock lock(path_);
  StoreOnDisk store = ReadStore(path_);
  if (!store.problem.empty() && !store.keepAside)
    RaiseSaveError(path_, "cannot read it (" + store.problem + ")", 0);
  for (const RegistryChange& change : pending_) ApplyChange(store.root, change);
  std::string aside;
  ReplaceFileOptions options;
  options.temporary = path_ + ".tmp";  // under the lock, one name serves every program
  options.mode = 0600;
  if (store.keepAside) options.beforeRename = [&] { aside = KeepAside(path_); };
  Fd written;
  try {
    written = ReplaceFile(path_, SerializeRegistryStore(store.root), options);
  } catch (const EReplaceFileError& e) {
    RaiseSaveError(path_, e.Step(), e.Errno());
  }
  if (!aside.empty())
    std::fprintf(stderr,
                 "orvalen: the registry store %s could not be read (%s); kept it as %s and saved "
                 "a new one\n",
                 path_.c_str(), store.problem.c_str(), aside.c_str());
  view_ = std::move(store.root);
  pending_.clear();
  struct stat st;
  // Without its identity the next look reads the store again, which is only slower.
  loaded_ = ::fstat(written.Get(), &st) == 0 ? IdentityOf(st) : FileIdentity{};
  HoldFile(loadedFile_, written.Release());
}

void RegistryStore::Discard() noexcept {
  pending_.clear();
  loaded_.reset();  // the next look reads the store as it is on disk
  view_ = RegistryKey();
  HoldFile(loadedFile_, -1);
}

std::shared_ptr<RegistryBackend> CurrentUserStore(std::string path) {
  return std::make_shared<RegistryStore>(std::move(path));
}

namespace {

std::filesystem::path HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (auto entry = CurrentPasswordEntry(); entry && !entry->home.empty()) return entry->home;
  throw ERegistryException("Cannot find the home directory for the registry store");
}

}  // namespace

std::string DefaultCurrentUserStorePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base =
      config && config[0] == '/' ? std::filesystem::path(config) : HomeDirectory() / ".config";
  return (base / "orvalen" / "registry").string();
}

}  // namespace orvalen::platform
