#include "cli/port_opening.h"

#include "cli/arguments.h"
#include "cli/failure.h"
#include "serial/port_names.h"

namespace qm720::cli {

std::string port_device(const std::string& name) {
    // A COM name opens the device it leads to, as in the window; anything else is a device path.
    return device_for_com_name(name).value_or(name);
}

void open_port(SerialPort& port, const std::string& name) {
    if (!port.open(port_device(name), kSensorLine)) {
        const OpenFailure failure = port.last_open_failure();
        throw Failure(ExitStatus::PortUnavailable,
                      "port " + echoed(name) + " could not be opened: " + echoed(failure.device) +
                          ": " + failure.description);
    }
}

}  // namespace qm720::cli
