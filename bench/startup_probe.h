// Tells the benchmark script when a window is on screen and the event loop has gone idle.
#pragma once

class QWidget;

namespace zentrax::bench {

// Once the window is shown and the event loop has nothing left to do, prints
// "ready_ns=<CLOCK_REALTIME in ns> peak_kb=<peak resident set>" and ends the loop.
void reportWhenIdle(QWidget& window);

}  // namespace zentrax::bench
