#include <iostream>

#include "cli/run.h"
#include "cli/stop_signals.h"

int main(int argc, char** argv) {
    // Installed before anything is opened, so that every way a run ends goes through its close.
    const qm720::cli::StopSignals stop_signals;
    return qm720::cli::run(argc, argv, std::cin, std::cout, std::cerr);
}
