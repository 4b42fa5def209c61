#include "startup_probe.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace zentrax::bench {

void reportWhenIdle(QWidget& window) {
  // A zero timer fires only after every pending event (show, expose, layout, paint) is handled.
  QTimer::singleShot(0, &window, [] {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ready_ns=%lld peak_kb=%ld\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, usage.ru_maxrss);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
}

}  // namespace zentrax::bench
