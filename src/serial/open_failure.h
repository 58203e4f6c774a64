#pragma once

#include <string>

#include "serial/serial_port.h"

namespace qm720 {

// Why opening `device` failed with `error` (an errno value), worded for the engineer: a missing
// adapter, a port another program holds, or one the user may not open, which names the group
// that may (on Debian usually dialout).
OpenFailure open_failure_for(int error, const std::string& device);

}  // namespace qm720
