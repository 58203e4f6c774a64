#include <windows.h>

#include <csignal>

#include "cli/stop_signals.h"

namespace qm720::cli {

namespace {

volatile LONG stop_requested_by = 0;

// Ctrl-C and Ctrl-Break count as SIGINT; a closed console or a logoff ends the process, and
// Windows releases the port with it.
BOOL WINAPI note_stop(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    InterlockedExchange(&stop_requested_by, SIGINT);
    return TRUE;
}

}  // namespace

StopSignals::StopSignals() {
    SetConsoleCtrlHandler(note_stop, TRUE);
}

StopSignals::~StopSignals() {
    SetConsoleCtrlHandler(note_stop, FALSE);
}

int stop_signal() {
    return static_cast<int>(InterlockedCompareExchange(&stop_requested_by, 0, 0));
}

}  // namespace qm720::cli
