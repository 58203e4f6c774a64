#pragma once

#include <string>

#include "cli/arguments.h"
#include "cli/output.h"
#include "serial/serial_port.h"

namespace qm720::cli {

// The exporter: sweeps the bus on this thread, no more often than the command's interval, and
// serves the last sweep's results over HTTP until a stop signal, which ends it normally. A
// listening address that cannot be had is PortUnavailable, like the serial port.
void serve_command(SerialPort& port, Output& output, const Command& command);

}  // namespace qm720::cli
