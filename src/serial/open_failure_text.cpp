#include "serial/serial_port.h"

namespace qm720 {

std::string open_failure_text(const OpenFailure& failure) {
    if (failure.device.empty()) {
        return failure.description;
    }
    return failure.device + ": " + failure.description;
}

}  // namespace qm720
