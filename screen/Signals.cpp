#include "screen/Signals.hpp"

#include <array>
#include <csignal>

namespace vh {
namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void onTermination(int signal) { received = signal; }

constexpr std::array<int, 10> endingSignals = {SIGHUP,  SIGTERM, SIGINT,  SIGQUIT, SIGPIPE,
                                               SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM};

}  // namespace

void catchTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = onTermination;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the blocking read must return
  for (const int signal : endingSignals) sigaction(signal, &action, nullptr);
  std::signal(SIGXFSZ, SIG_IGN);
}

sigset_t terminationSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : endingSignals) sigaddset(&signals, signal);
  return signals;
}

int pendingSignal() { return received; }

void noteSignal(int signal) { received = signal; }

void clearPendingSignal() { received = 0; }

}  // namespace vh
