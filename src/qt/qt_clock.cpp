#include "qt/qt_clock.h"

#include <poll.h>
#include <sys/prctl.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <thread>
#include <utility>

namespace qtui {

namespace {

using namespace std::chrono_literals;
using Duration = core::Clock::Duration;

// Longer waits sleep in the event loop; its timers fire up to a millisecond late, so
// the loop wakes this much early and the rest is slept precisely.
constexpr Duration kEventLoopMargin = 1500us;
constexpr Duration kEventLoopThreshold = 3ms;
// While waiting for bytes the last stretch is slept in slices, to see them soon.
constexpr Duration kReadySlice = 200us;
constexpr int kLatenessSmoothing = 8;
constexpr Duration kMaxWakeLateness = 300us;
// Often enough for the window to follow the screen's refresh and to take Esc at once.
constexpr std::chrono::milliseconds kEventTurnInterval{5};

QElapsedTimer& SinceLastEventTurn() {
  static QElapsedTimer since;
  return since;
}

}  // namespace

void LetEventsRun() {
  QElapsedTimer& since = SinceLastEventTurn();
  if (since.isValid() && since.elapsed() < kEventTurnInterval.count()) return;
  QCoreApplication::processEvents();
  since.start();
}

QtClock::QtClock() {
  elapsed_.start();
  // The kernel's default timer slack would add 50 µs to every short sleep.
  prctl(PR_SET_TIMERSLACK, 1UL);
}

Duration QtClock::Now() {
  return std::chrono::duration_cast<Duration>(std::chrono::nanoseconds(elapsed_.nsecsElapsed()));
}

void QtClock::DelayTimer(Duration wait) { WaitUntil(Now() + wait, {}); }

void QtClock::Wake() {
  if (loop_) loop_->quit();
}

void QtClock::WaitUntil(Duration deadline, const std::function<bool()>& ready, int wakeHandle) {
  for (;;) {
    if (ready && ready()) return;
    const Duration remaining = deadline - Now();
    if (remaining <= Duration::zero()) return;
    if (remaining > kEventLoopThreshold) {
      QEventLoop loop;
      QEventLoop* outer = std::exchange(loop_, &loop);
      QTimer timer;
      timer.setTimerType(Qt::PreciseTimer);
      timer.setSingleShot(true);
      QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
      timer.start(
          std::chrono::duration_cast<std::chrono::milliseconds>(remaining - kEventLoopMargin));
      loop.exec();
      SinceLastEventTurn().start();
      loop_ = outer;
      continue;
    }
    // Bytes reach the port in a turn of the event loop: a wait for them takes one each time.
    if (ready) {
      QCoreApplication::processEvents();
    } else {
      LetEventsRun();
    }
    if (ready && ready()) return;
    const Duration left = deadline - Now();
    if (left <= Duration::zero()) return;
    if (ready && wakeHandle >= 0) {
      WaitReadable(wakeHandle, left);
    } else if (ready) {
      std::this_thread::sleep_for(std::min(left, kReadySlice));
    } else {
      SleepPrecisely(deadline);
      return;
    }
  }
}

void QtClock::WaitReadable(int handle, Duration wait) {
  pollfd watched{handle, POLLIN, 0};
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
  const timespec timeout{static_cast<time_t>(seconds.count()),
                         static_cast<long>(std::chrono::nanoseconds(wait - seconds).count())};
  ::ppoll(&watched, 1, &timeout, nullptr);
}

void QtClock::SleepPrecisely(Duration deadline) {
  // The kernel wakes a sleeper late by a margin that depends on the machine's load:
  // sleep that much less, learn from how late it was, and yield away the rest.
  const Duration target = deadline - wakeLateness_;
  const Duration before = Now();
  if (target > before) {
    std::this_thread::sleep_for(target - before);
    const Duration late = Now() - target;
    wakeLateness_ = std::clamp(wakeLateness_ + (late - wakeLateness_) / kLatenessSmoothing,
                               Duration::zero(), kMaxWakeLateness);
  }
  while (Now() < deadline) std::this_thread::yield();
}

}  // namespace qtui
