#include "cli/port_opening.h"

#include "cli/failure.h"
#include "serial/port_names.h"

namespace qm720::cli {

namespace {

constexpr const char* kDevicePrefix = "\\\\.\\";
constexpr const char* kLineSettings = "19200,n,8,1";

}  // namespace

void open_port(SerialPort& port, const std::string& name) {
    // A COM name goes the window's way, through the device prefix; a path is opened as it is.
    const std::string path = device_for_com_name(name) ? kDevicePrefix + name : name;
    if (!port.OpenPort(path, kLineSettings)) {
        throw Failure(ExitStatus::PortUnavailable, "Com Port " + name + " недоступен: " +
                                                       open_failure_text(port.last_open_failure()));
    }
}

}  // namespace qm720::cli
