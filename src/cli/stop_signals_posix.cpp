#include <signal.h>

#include <array>

#include "cli/stop_signals.h"

namespace qm720::cli {

namespace {

volatile sig_atomic_t stop_requested_by = 0;

void note_stop(int signal_number) {
    stop_requested_by = signal_number;
}

constexpr std::array<int, 4> kHandled = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
std::array<struct sigaction, kHandled.size()> actions_before;

}  // namespace

// Without SA_RESTART: a read of standard input returns at the signal instead of waiting on.
StopSignals::StopSignals() {
    struct sigaction stop {};
    stop.sa_handler = note_stop;
    sigemptyset(&stop.sa_mask);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    for (std::size_t k = 0; k < kHandled.size(); ++k) {
        sigaction(kHandled[k], kHandled[k] == SIGPIPE ? &ignore : &stop, &actions_before[k]);
    }
}

StopSignals::~StopSignals() {
    for (std::size_t k = 0; k < kHandled.size(); ++k) {
        sigaction(kHandled[k], &actions_before[k], nullptr);
    }
}

int stop_signal() {
    return stop_requested_by;
}

}  // namespace qm720::cli
