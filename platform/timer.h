#pragma once
// Window timers through QTimer. A Timer belongs to its owner (member of a
// dialog or view) and never fires after it is destroyed.
//
//   platform::Timer selection_timer_;
//   selection_timer_.StartOnce(50, [this] { EvaluateSelection(); });  // SetTimer .. KillTimer
//   flash_.StartRepeating(500, [this] { Flash(); });
//   flash_.Stop();                                                       // KillTimer
//
// Starting a running timer replaces its interval and action.
#include <QTimer>
#include <functional>

namespace platform {

class Timer {
 public:
  Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void StartOnce(int milliseconds, std::function<void()> action);
  void StartRepeating(int milliseconds, std::function<void()> action);
  void Stop();
  bool IsActive() const { return timer_.isActive(); }

 private:
  void Start(int milliseconds, std::function<void()> action, bool once);
  QTimer timer_;
  std::function<void()> action_;
};

}  // namespace platform
