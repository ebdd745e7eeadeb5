// The tool services an IDE hands to expert modules: a reference-counted
// object whose operations turn into calls on the IDE's window. The IDE owns
// it; the count only records the references the modules took, so a host (or
// a test) can see that they were given back. No Qt here.
#pragma once

#include <string>

#include "hosts/expert/expert_api.h"

namespace orvalen::hosts {

// What the IDE does for the services; the strings are UTF-8 copies.
class IdeWindow {
 public:
  virtual ~IdeWindow() = default;
  // Closes the current project unless the user keeps it; true when none is open after.
  virtual bool CloseProject() = 0;
  // Shows the project whose file is `projectFileName`; true when it could be read.
  virtual bool OpenProject(const std::string& projectFileName) = 0;
  // The main window, owner of the experts' dialogs.
  virtual ota::HWND ParentHandle() = 0;
  // Shows `message` as an error.
  virtual void ShowError(const std::string& message) = 0;
};

class HostToolServices final : public ota::TIToolServices {
 public:
  static constexpr int kVersion = 3;

  explicit HostToolServices(IdeWindow& ide) : ide_(ide) {}
  HostToolServices(const HostToolServices&) = delete;
  HostToolServices& operator=(const HostToolServices&) = delete;

  int AddRef() override { return ++refCount_; }
  int Release() override { return --refCount_; }
  int GetVersion() override { return kVersion; }
  bool CloseProject() override;
  bool OpenProject(ota::IdeString projectFileName) override;
  ota::HWND GetParentHandle() override;
  void RaiseException(ota::IdeString message) override;

 private:
  IdeWindow& ide_;
  int refCount_ = 1;  // the IDE's own, plus every reference a module holds
};

}  // namespace orvalen::hosts
