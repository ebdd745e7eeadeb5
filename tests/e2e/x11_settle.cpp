// x11_settle WINDOW [TIMEOUT_MS]: waits until the program owning WINDOW has
// taken in every input event sent before, and the toolkit's short animations
// that follow a key (a button pressed by its access key clicks 100 ms later)
// have run.
//
// The program is pinged twice (_NET_WM_PING, which a toolkit answers from its
// event loop, in order with the input events before it), 150 ms apart. Exit
// status 0 when both pings were answered, 1 when the program did not answer
// within the timeout (default 10 s), 2 for bad arguments or no display, 3 when
// the window is gone or no longer shown (a closed dialog whose program is busy
// writing, say, takes no more keys and need not answer).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool windowGone = false;

bool Shown(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  return attributes.map_state == IsViewable;
}

int NoteError(Display*, XErrorEvent* error) {
  if (error->error_code == BadWindow) windowGone = true;
  return 0;
}

// Sends one ping to `window` and waits for its answer on the root window.
bool Ping(Display* display, Window window, long stamp, Clock::time_point deadline) {
  const Window root = DefaultRootWindow(display);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(ping);
  event.xclient.data.l[1] = stamp;
  event.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  if (windowGone) return false;
  for (;;) {
    while (XPending(display) > 0) {
      XEvent answer;
      XNextEvent(display, &answer);
      if (answer.type == ClientMessage && answer.xclient.window == root &&
          answer.xclient.message_type == protocols &&
          static_cast<Atom>(answer.xclient.data.l[0]) == ping && answer.xclient.data.l[1] == stamp)
        return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    if (!Shown(display, window)) {
      windowGone = true;
      return false;
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(std::min<long long>(left, 100)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: x11_settle WINDOW [TIMEOUT_MS]\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long window = std::strtoul(argv[1], &end, 0);
  const long timeout = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 10000;
  if (*end != '\0' || window == 0 || timeout <= 0) {
    std::fprintf(stderr, "x11_settle: bad window or timeout\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x11_settle: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(NoteError);
  // The answer goes to the root window, for whoever watches its structure
  // (or, by another toolkit, its substructure).
  XSelectInput(display, DefaultRootWindow(display), StructureNotifyMask | SubstructureNotifyMask);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout);
  bool answered = Ping(display, window, 1, deadline);
  if (answered) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    answered = Ping(display, window, 2, deadline);
  }
  XCloseDisplay(display);
  if (answered) return 0;
  std::fprintf(stderr, "x11_settle: window %#lx %s\n", window,
               windowGone ? "is gone or hidden" : "did not answer");
  return windowGone ? 3 : 1;
}
