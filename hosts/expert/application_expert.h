// The expert the module registers with the IDE: a project wizard on the
// "Projects" page whose Execute is one generation run.
#pragma once

#include <functional>
#include <string>

#include "hosts/expert/expert_api.h"

namespace orvalen::hosts {

// What the expert reaches in its module: the held tool services and the run.
struct ExpertModule {
  // The services the entry point stored first, or null.
  ota::TIToolServices* services = nullptr;
  // One generation run with those services; raises what escapes the run.
  std::function<void()> run;
  // Where an error goes when no services are held.
  std::function<void(const std::string&)> showError;
};

class TApplicationExpert final : public ota::TIExpert {
 public:
  explicit TApplicationExpert(ExpertModule& module) : module_(module) {}

  int AddRef() override;
  int Release() override;
  int GetVersion() override;
  ota::IdeString GetName() override;
  ota::IdeString GetAuthor() override;
  ota::IdeString GetComment() override;
  ota::IdeString GetPage() override;
  ota::HICON GetGlyph() override;
  int GetStyle() override;
  unsigned GetState() override;
  ota::IdeString GetIDString() override;
  ota::IdeString GetMenuText() override;
  void Execute() override;

 private:
  ~TApplicationExpert() = default;
  // Runs `body`; an exception's message is reported and `fallback` returned.
  template <typename T>
  T Guarded(T fallback, const std::function<T()>& body);
  void Report(const std::string& message);

  ExpertModule& module_;
  int refCount_ = 1;
};

}  // namespace orvalen::hosts
