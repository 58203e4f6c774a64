#pragma once

#include <string>

#include "serial/serial_port.h"

namespace qm720::cli {

// Opens the port named as in the window (COMn, QM720_PORTS included) or a device path; a port
// that cannot be opened is a failure with the driver's reason.
void open_port(SerialPort& port, const std::string& name);

// The device a port name opens: a COM name's device, anything else as it is.
std::string port_device(const std::string& name);

}  // namespace qm720::cli
