// The resident memory of a fresh process that shows one dialog, for the
// dialogs' benchmarks: the child builds and paints the dialog, reports its
// resident set and ends without tearing anything down.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

namespace orvalen::bench {

inline long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      break;
    }
  }
  return value;
}

// Runs `show` in a forked child (which makes its own application object)
// and returns the child's resident memory in KiB afterwards, or -1.
inline long ResidentShowing(const std::function<void()>& show) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    show();
    long kib = ResidentKiB();
    if (write(fds[1], &kib, sizeof kib) != sizeof kib) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  long kib = -1;
  if (read(fds[0], &kib, sizeof kib) != sizeof kib) kib = -1;
  close(fds[0]);
  waitpid(child, nullptr, 0);
  return kib;
}

}  // namespace orvalen::bench
