#include "framework/ofStopSignals.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t stopSignal = 0;

// Only a flag: nothing else is safe inside a signal handler.
extern "C" void noteStop(int signal) { stopSignal = signal; }
}  // namespace

void ofCatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = noteStop;
  sigemptyset(&action.sa_mask);
  // Restarted: a read or a sleep interrupted by the signal goes on, and the
  // frame loop sees the flag at its next frame.
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int ofStopSignal() { return stopSignal; }
