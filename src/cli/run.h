#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>

#include "serial/serial_port.h"

namespace qm720::cli {

// Gives the port a command speaks through; it is asked for only once every argument is valid.
using PortMaker = std::function<std::unique_ptr<SerialPort>()>;

// This system's serial driver.
std::unique_ptr<SerialPort> system_port();

// The whole program: parses and checks the arguments, then runs the command and returns the
// exit status. Under --json every outcome, failures included, is one JSON object a line.
int run(int argc, const char* const* argv, std::istream& input, std::ostream& out,
        std::ostream& err, const PortMaker& make_port = system_port);

}  // namespace qm720::cli
