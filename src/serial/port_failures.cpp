#include "serial/port_failures.h"

#include <utility>

#include "serial/line_timeouts.h"

namespace qm720 {

std::string open_failure_text(const OpenFailure& failure) {
    if (failure.device.empty()) {
        return failure.description;
    }
    return failure.device + ": " + failure.description;
}

PortFailures::PortFailures(SerialPort::MessageSink show_message)
    : show_message_(std::move(show_message)) {}

bool PortFailures::set_up_refused(const std::string& device, const std::string& text, long error) {
    const std::string message = text + " Error: " + std::to_string(error);
    last_open_ = {OpenFailureReason::SetupFailed, device, message};
    if (show_message_) {
        show_message_(message);
    }
    return false;
}

void PortFailures::write_refused(const std::string& device, const std::string& reason) {
    last_write_ = device + ": " + reason;
}

void PortFailures::write_timed_out(const std::string& device, std::size_t count) {
    using namespace line_timeouts;
    const auto allowed = kWritePerByte * static_cast<long>(count) + kWriteConstant;
    last_write_ =
        device + ": the line took no more bytes within " + std::to_string(allowed.count()) + " ms";
}

}  // namespace qm720
