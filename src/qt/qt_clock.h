// The program's clock: monotonic time, and waits that block in a local event loop so
// the window repaints and takes Esc, while the processor stays idle and the wait ends
// within a fraction of a millisecond of its deadline.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "core/host.h"

class QEventLoop;

namespace qtui {

// Lets the event loop handle what is pending (repaints, keys), at most every few
// milliseconds: with a window on screen each turn costs tens of microseconds, and the
// transfer loops would otherwise take several turns per byte.
void LetEventsRun();

class QtClock : public core::Clock {
 public:
  QtClock();

  Duration Now() override;
  void DelayTimer(Duration wait) override;

  // Waits until the deadline, or until ready() holds; ready is checked whenever the wait
  // is woken. With wakeHandle, a file descriptor that becomes readable when ready() may
  // have changed, the last stretch of the wait ends as soon as it does.
  void WaitUntil(Duration deadline, const std::function<bool()>& ready, int wakeHandle = -1);
  // Wakes the running wait so that it checks ready() again (a signal's slot).
  void Wake();

 private:
  void SleepPrecisely(Duration deadline);
  static void WaitReadable(int handle, Duration wait);

  QElapsedTimer elapsed_;
  // How late the kernel has lately woken a sleeper.
  Duration wakeLateness_ = std::chrono::microseconds(60);
  QEventLoop* loop_ = nullptr;
};

}  // namespace qtui
