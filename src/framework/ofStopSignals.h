#pragma once
// Being asked to stop from outside: SIGTERM, SIGINT (Ctrl+C in the terminal)
// and SIGHUP (the terminal closed). The handler only notes the signal; the
// frame loop then ends the program through its normal exit, so that the
// exit handler runs (the editors keep unsaved edits) instead of the process
// vanishing with them.

// Installs the handler for the three signals.
void ofCatchStopSignals();
// The signal that asked the program to stop, or 0 while none has.
int ofStopSignal();
