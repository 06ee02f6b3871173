#pragma once
// The end of a session (log-out or shutdown: SIGTERM, SIGHUP) and Ctrl+C in
// a terminal (SIGINT), turned into a call on the UI thread. A signal handler
// may do next to nothing safely, so it only writes the signal's number into
// a socket pair that the message loop watches; the call comes from the loop
// (any loop, also that of a modal dialog).
#include <functional>
#include <memory>

namespace platform {

class TerminationSignals {
 public:
  // Catches the three signals from now on; `onSignal` gets the number of
  // each one that arrives.
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  // Restores the handlers that were there before.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The signals that are caught.
  static const int kSignals[3];

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
