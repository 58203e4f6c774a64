#pragma once

namespace qm720::cli {

// While an object of this type lives, SIGINT, SIGTERM and SIGHUP (on Windows Ctrl-C and
// Ctrl-Break) only note that the program is to stop, so that it closes the port on its way out,
// and SIGPIPE is ignored, so that a write to a closed pipe fails and the run ends the same way.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;
};

// The number of the signal that asked the program to stop; 0 while none has.
int stop_signal();

}  // namespace qm720::cli
