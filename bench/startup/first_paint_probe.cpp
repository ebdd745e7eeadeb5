// Preloaded (LD_PRELOAD) into a Qt program by startup_bench: when the first
// widget has been painted and that paint has been handed on, the probe writes
// the monotonic clock (ns) and the resident memory (KiB) to the descriptor
// named by ORVALEN_FIRST_PAINT_FD and ends the process at once. The program
// itself is not changed and reads no setting of its own for this.
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = -1;
  while (status >> key)
    if (key == "VmRSS:") {
      status >> value;
      break;
    }
  return value;
}

// Runs once the event loop is back after the first paint.
void Report() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%lld %ld\n", ns, ResidentKiB());
  const char* fd = std::getenv("ORVALEN_FIRST_PAINT_FD");
  if (fd && write(std::atoi(fd), line, static_cast<size_t>(length)) != length) _exit(3);
  _exit(0);
}

class FirstPaint : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
      seen_ = true;
      QMetaObject::invokeMethod(QCoreApplication::instance(), &Report, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

void InstallProbe() {
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new FirstPaint(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
