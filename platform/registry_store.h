// The current user's registry: one store file in the text format of
// registry_store_format.h, shared by every program of the system.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_backend.h"

namespace orvalen::platform {

// Reading never fails: a missing store is empty, and a store that cannot be
// read or parsed reads as empty (with a note on standard error) until the
// next save keeps it aside under a new name and replaces it.
//
// A save takes the lock file beside the store, reads the store as it is now,
// makes this object's changes in it, and replaces the file atomically and
// durably (a temporary file beside it, flushed, renamed over it, the
// directory flushed). Two programs saving at once thus leave one whole store
// that holds the changes of both.
class RegistryStore : public RegistryBackend {
 public:
  explicit RegistryStore(std::string path);
  ~RegistryStore() override;
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  bool ReadOnly() const override { return false; }
  // Reads the store again when the file changed since it was last read; the
  // changes not yet saved are made again on top of what it now holds.
  void Refresh() override;
  const RegistryKey& Root() override;
  void Apply(RegistryChange change) override;
  void Save() override;
  void Discard() noexcept override;

  const std::string& Path() const { return path_; }

  // Which file a view was read from: every save writes a new file, so another
  // program's save shows as a new identity. The file read stays open, so that
  // its inode number cannot pass to a later save's file.
  struct FileIdentity {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedSec = 0, modifiedNsec = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
  };

 private:
  std::string path_;
  RegistryKey view_;
  std::vector<RegistryChange> pending_;
  std::optional<FileIdentity> loaded_;  // nothing until first read
  int loadedFile_ = -1;                 // the file read, held open
};

// A store file at that path.
std::shared_ptr<RegistryBackend> CurrentUserStore(std::string path);

// $XDG_CONFIG_HOME/orvalen/registry, or $HOME/.config/orvalen/registry when
// XDG_CONFIG_HOME is unset, empty or not an absolute path (the home directory
// from the password database when HOME is unset or empty). Raises
// ERegistryException when there is no home directory at all.
std::string DefaultCurrentUserStorePath();

}  // namespace orvalen::platform
