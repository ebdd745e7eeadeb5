#include "hosts/expert_host/host_tool_services.h"

#include <cstdio>
#include <exception>

#include "hosts/expert_host/expert_library.h"

namespace orvalen::hosts {

namespace {

// The services are called from inside a module: nothing may be thrown back
// across it, so a failure of the window's own is written out and answered
// with the operation's "no".
template <typename T, typename F>
T Contained(const char* operation, T fallback, F&& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", operation, error.what());
  } catch (...) {
    std::fprintf(stderr, "%s: unknown error\n", operation);
  }
  return fallback;
}

}  // namespace

bool HostToolServices::CloseProject() {
  return Contained("CloseProject", false, [&] { return ide_.CloseProject(); });
}

bool HostToolServices::OpenProject(ota::IdeString projectFileName) {
  return Contained("OpenProject", false,
                   [&] { return ide_.OpenProject(IdeStringText(projectFileName)); });
}

ota::HWND HostToolServices::GetParentHandle() {
  return Contained("GetParentHandle", ota::HWND{0}, [&] { return ide_.ParentHandle(); });
}

void HostToolServices::RaiseException(ota::IdeString message) {
  Contained("RaiseException", 0, [&] {
    ide_.ShowError(IdeStringText(message));
    return 0;
  });
}

}  // namespace orvalen::hosts
