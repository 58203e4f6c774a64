#pragma once

#include <string>

#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/run.h"

namespace qm720::cli {

// The exporter: takes its listening address, then the serial port `port_name`, sweeps the bus on
// this thread no more often than the command's interval, and serves the last sweep's results
// over HTTP until a stop signal, which ends it normally. Either address taken already is
// PortUnavailable, its message saying which.
void serve_command(const PortMaker& make_port, const std::string& port_name, Output& output,
                   const Command& command);

}  // namespace qm720::cli
