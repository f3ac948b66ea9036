// Signals that end the program: a hangup (the terminal went away), an interrupt or quit from the
// keyboard, a request to terminate, a broken pipe, an expired timer or CPU limit, and the two user
// signals. A handler only records the signal; the key read it interrupts returns, and the driver
// hands the signal to the game as its next input, which saves the game in play before it ends.
#pragma once

#include <csignal>

namespace vh {

// Installs the handlers, without restarting interrupted reads, so a blocked key read returns.
// A write past the file size limit then fails as an ordinary write error instead of killing the
// program halfway through a save.
void catchTerminationSignals();

// The signals that end the program. The terminal holds them back except while it waits for a
// key, so that one arriving just before the wait still ends it at once.
sigset_t terminationSignals();

// The termination signal received so far, or 0.
int pendingSignal();

// Records a signal as the handler does; for tests that cannot send a real one.
void noteSignal(int signal);

// Forgets a recorded signal; for tests that run the game more than once.
void clearPendingSignal();

}  // namespace vh
