#include "screen/Signals.hpp"

#include <csignal>
#include <initializer_list>

namespace vh {
namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void onTermination(int signal) { received = signal; }

}  // namespace

void catchTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = onTermination;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the blocking read must return
  for (const int signal :
       {SIGHUP, SIGTERM, SIGINT, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM}) {
    sigaction(signal, &action, nullptr);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

int pendingSignal() { return received; }

void noteSignal(int signal) { received = signal; }

void clearPendingSignal() { received = 0; }

}  // namespace vh
