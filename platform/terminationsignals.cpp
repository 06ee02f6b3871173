#include "platform/terminationsignals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace platform {

namespace {

// The writing end for the handler; -1 while nothing is caught.
volatile sig_atomic_t writeEnd = -1;

// Only async-signal-safe calls: write() of one byte, errno kept for the
// code the signal interrupted.
void OnSignal(int signal) {
  const int savedErrno = errno;
  const int fd = writeEnd;
  if (fd >= 0) {
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full socket already holds a wake-up: a lost byte changes nothing.
    (void)::write(fd, &number, 1);
  }
  errno = savedErrno;
}

}  // namespace

const int TerminationSignals::kSignals[3] = {SIGTERM, SIGHUP, SIGINT};

struct TerminationSignals::State {
  int fds[2] = {-1, -1};
  struct sigaction previous[3] {};
  std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal) : state_(std::make_unique<State>()) {
  State& s = *state_;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, s.fds) != 0) {
    s.fds[0] = s.fds[1] = -1;
    return;
  }
  s.notifier = std::make_unique<QSocketNotifier>(s.fds[0], QSocketNotifier::Read);
  QObject::connect(s.notifier.get(), &QSocketNotifier::activated, [fd = s.fds[0], onSignal = std::move(onSignal)] {
    unsigned char numbers[16];
    for (;;) {
      const ssize_t got = ::read(fd, numbers, sizeof numbers);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      for (ssize_t i = 0; i < got; ++i) onSignal(numbers[i]);
    }
  });
  writeEnd = s.fds[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) sigaddset(&action.sa_mask, signal);
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &action, &s.previous[i]);
}

TerminationSignals::~TerminationSignals() {
  State& s = *state_;
  if (s.fds[0] < 0) return;
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &s.previous[i], nullptr);
  writeEnd = -1;
  s.notifier.reset();
  ::close(s.fds[0]);
  ::close(s.fds[1]);
}

}  // namespace platform
