#pragma once

#include <memory>

#include "serial/serial_port.h"

namespace qm720 {

// This system's serial driver (PosixSerialPort or Win32SerialPort, as the build chose), for the
// programs that talk to a real line.
std::unique_ptr<SerialPort> make_system_serial_port(SerialPort::MessageSink show_message);

}  // namespace qm720
