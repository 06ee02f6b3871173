#include "platform/timer.h"

namespace platform {

Timer::Timer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    // The action may restart or stop the timer; run a copy.
    const auto action = action_;
    if (action) action();
  });
}

void Timer::Start(int milliseconds, std::function<void()> action, bool once) {
  action_ = std::move(action);
  timer_.setSingleShot(once);
  timer_.start(milliseconds < 0 ? 0 : milliseconds);
}

void Timer::StartOnce(int milliseconds, std::function<void()> action) { Start(milliseconds, std::move(action), true); }

void Timer::StartRepeating(int milliseconds, std::function<void()> action) {
  Start(milliseconds, std::move(action), false);
}

void Timer::Stop() { timer_.stop(); }

}  // namespace platform
