#pragma once

#include <string>

#include "serial/serial_port.h"

namespace qm720 {

// Why opening `device` failed with `error` (an errno value), worded for the engineer: a missing
// adapter, a port another program holds, or one the user may not open, which names the group
// that may (on Debian usually dialout).
OpenFailure open_failure_for(int error, const std::string& device);

// "/dev/ttyUSB0: Permission denied (join the group dialout)": the driver's view of a refused
// open, so that the engineer learns the cause without a terminal.
std::string open_failure_text(const OpenFailure& failure);

}  // namespace qm720
