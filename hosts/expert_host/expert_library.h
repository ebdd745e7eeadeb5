// An expert module as an IDE sees it: loaded with dlopen, its entry point
// called with the IDE's tool services, the experts it registers held with one
// reference each, and at the end those references released, the module's
// terminate procedures called and the module unloaded. No Qt here: the
// contract tests load modules through this as well.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "hosts/expert/expert_api.h"

namespace orvalen::hosts {

// A module that cannot be loaded, or has no entry point; the message says why.
class EExpertLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of a string an operation returned; the string's reference is dropped.
std::string TakeIdeString(ota::IdeString text);

// The text of a borrowed string (an argument), which stays the caller's.
std::string IdeStringText(ota::IdeString text);

// What an expert says about itself, read once; its strings already released.
struct ExpertDescription {
  int version = 0;
  std::string name, author, comment, page, idString, menuText;
  std::vector<std::uint8_t> glyph;  // an image file, empty for none
  int style = 0;
  unsigned state = 0;
};

ExpertDescription Describe(ota::TIExpert& expert);

class ExpertLibrary {
 public:
  // Loads the module at `path` (RTLD_NOW, RTLD_LOCAL) and finds its entry
  // point; raises EExpertLoadError otherwise.
  explicit ExpertLibrary(const std::string& path);
  ~ExpertLibrary();
  ExpertLibrary(const ExpertLibrary&) = delete;
  ExpertLibrary& operator=(const ExpertLibrary&) = delete;

  // Calls the entry point once with `services` (which must outlive the
  // module); the experts it registers join Experts(). The entry point's result.
  bool Initialize(ota::TIToolServices* services);

  // Every expert registered so far, in order; each holds one reference of ours.
  const std::vector<ota::TIExpert*>& Experts() const { return experts_; }

  // Releases our reference to every expert, calls the terminate procedures
  // (the last first) and closes the module. Returns what each Release
  // answered, in the experts' order: 0 when the module let the expert go.
  // Called by the destructor when not called before.
  std::vector<int> Unload();

  const std::string& Path() const { return path_; }

 private:
  // The register procedure given to the entry point.
  static bool Register(ota::TIExpert* expert);

  std::string path_;
  void* handle_ = nullptr;
  ota::InitExpertProc init_ = nullptr;
  std::vector<ota::TIExpert*> experts_;
  std::vector<ota::TerminateProc> terminates_;
};

}  // namespace orvalen::hosts
