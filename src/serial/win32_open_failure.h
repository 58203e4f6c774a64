#pragma once

#include <windows.h>

#include <string>

#include "serial/serial_port.h"

namespace qm720 {

// Why opening the COM port `device` failed with the system error `error`, in the engineer's
// words: no such port, or in use by another program (Windows answers "access denied" for a port
// someone else holds), or no permission; anything else in the system's own text.
OpenFailure win32_open_failure(DWORD error, const std::string& device);

}  // namespace qm720
