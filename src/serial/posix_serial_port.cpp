#include "serial/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "serial/deadline_wait.h"
#include "serial/line_settings.h"
#include "serial/line_timeouts.h"
#include "serial/open_failure.h"
#include "serial/port_names.h"
#include "serial/system_serial_port.h"

namespace qm720 {
namespace {

using namespace line_timeouts;

// 0, or the error number that the set-up message reports.
int set_up_sensor_line(int handle) {
    termios attributes{};
    if (tcgetattr(handle, &attributes) != 0) {
        return errno;
    }
    set_sensor_line(attributes);
    return tcsetattr(handle, TCSANOW, &attributes) == 0 ? 0 : errno;
}

}  // namespace

PosixSerialPort::PosixSerialPort(MessageSink show_message) : failures_(std::move(show_message)) {}

PosixSerialPort::~PosixSerialPort() {
    close();
}

bool PosixSerialPort::open(const std::string& device_path, const std::string& settings) {
    if (handle_ >= 0) {
        close();
    }
    failures_.open_started();
    const std::string device = device_for_path(device_path);
    if (!open_exclusive(device)) {
        return false;
    }
    if (!set_up(settings, device)) {
        close();
        return false;
    }
    device_ = device;
    // Whatever the adapter collected before we owned it belongs to nobody.
    tcflush(handle_, TCIOFLUSH);
    return true;
}

bool PosixSerialPort::open_exclusive(const std::string& device) {
    handle_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle_ < 0) {
        failures_.open_refused(open_failure_for(errno, device));
        return false;
    }
    if (!isatty(handle_)) {
        failures_.open_refused({OpenFailureReason::Other, device, "Not a serial port"});
        abandon_handle();
        return false;
    }
    // TIOCEXCL keeps other users out, but root passes it; the lock holds for root too.
    if (flock(handle_, LOCK_EX | LOCK_NB) != 0 || ioctl(handle_, TIOCEXCL) != 0) {
        failures_.open_refused(open_failure_for(errno == EWOULDBLOCK ? EBUSY : errno, device));
        abandon_handle();
        return false;
    }
    return true;
}

// Closes a handle that never owned the line: the exclusive flag and the queues may be another
// program's, so they are left alone.
void PosixSerialPort::abandon_handle() {
    ::close(std::exchange(handle_, -1));
}

// The descriptor is non-blocking from its open on, so the poll deadlines hold.
bool PosixSerialPort::set_up(const std::string& settings, const std::string& device) {
    if (settings != kSensorLine) {
        return failures_.set_up_refused(device,
                                        "Line settings other than " + std::string(kSensorLine) +
                                            " are not supported: " + settings,
                                        EINVAL);
    }
    if (const int error = set_up_sensor_line(handle_); error != 0) {
        return failures_.set_up_refused(
            device, "Unable to set the line to " + settings + " on " + device, error);
    }
    return true;
}

bool PosixSerialPort::close() {
    if (handle_ < 0) {
        return false;
    }
    // A pseudo-terminal keeps TIOCEXCL past its last close while its other side stays open, so
    // exclusive use is given back before the close, or nobody but root could open it again.
    ioctl(handle_, TIOCNXCL);
    // Discarding the output first keeps close() from waiting for a stalled line to drain it.
    tcflush(handle_, TCIOFLUSH);
    return ::close(std::exchange(handle_, -1)) == 0;
}

void PosixSerialPort::wait_until_sent() {
    // Never tcdrain(): it waits without limit on an adapter that has stopped sending. Polling the
    // output queue gives the queued bytes the write time-out, at most that of one full piece.
    int queued = 0;
    if (handle_ < 0 || ioctl(handle_, TIOCOUTQ, &queued) != 0 || queued <= 0) {
        return;
    }
    const auto bytes = std::min<std::size_t>(static_cast<std::size_t>(queued), kMaxTransfer);
    const auto deadline = MonotonicClock::now() + kWritePerByte * bytes + kWriteConstant;
    while (MonotonicClock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (ioctl(handle_, TIOCOUTQ, &queued) != 0 || queued <= 0) {
            return;
        }
    }
}

Bytes PosixSerialPort::read() {
    return read_until({});
}

Bytes PosixSerialPort::read_until(const ReadComplete& complete) {
    const auto latest = MonotonicClock::now() + kReadTotal;
    auto deadline = latest;
    std::size_t received = 0;
    while (handle_ >= 0 && received < kMaxTransfer &&
           wait_until(handle_, POLLIN, deadline) == Readiness::Ready) {
        const ssize_t count =
            ::read(handle_, port_buffer_.data() + received, kMaxTransfer - received);
        if (count > 0) {
            received += static_cast<std::size_t>(count);
            deadline = std::min(latest, MonotonicClock::now() + kReadInterval);
            if (complete && complete(received_bytes(received))) {
                break;
            }
        } else if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
            break;  // end of file, EIO or ENXIO: the device has gone
        }
    }
    if (received == 0) {
        wait_until_sent();
    }
    return received_bytes(received);
}

Bytes PosixSerialPort::received_bytes(std::size_t count) const {
    return Bytes(port_buffer_.begin(), port_buffer_.begin() + static_cast<std::ptrdiff_t>(count));
}

void PosixSerialPort::discard_input() {
    if (handle_ >= 0) {
        tcflush(handle_, TCIFLUSH);
    }
}

std::uint16_t PosixSerialPort::write(const Bytes& data) {
    failures_.write_started();
    if (handle_ < 0 && !data.empty()) {
        failures_.write_to_closed_port();
    }
    std::size_t written = 0;
    for (std::size_t offset = 0; offset < data.size() && !failures_.write_failed();
         offset += kMaxTransfer) {
        written += write_piece(data.data() + offset, std::min(kMaxTransfer, data.size() - offset));
    }
    return static_cast<std::uint16_t>(
        std::min<std::size_t>(written, std::numeric_limits<std::uint16_t>::max()));
}

// A terminal never raises SIGPIPE: a vanished device answers EIO, which ends the piece short.
std::size_t PosixSerialPort::write_piece(const std::uint8_t* bytes, std::size_t count) {
    const auto deadline = MonotonicClock::now() + kWritePerByte * count + kWriteConstant;
    std::size_t written = 0;
    while (handle_ >= 0 && written < count) {
        const ssize_t sent = ::write(handle_, bytes + written, count - written);
        if (sent > 0) {
            written += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno != EAGAIN && errno != EINTR) {
            failures_.write_refused(device_, std::generic_category().message(errno));
            break;
        } else if (wait_until(handle_, POLLOUT, deadline) != Readiness::Ready) {
            failures_.write_timed_out(device_, count);
            break;
        }
    }
    return written;
}

std::unique_ptr<SerialPort> make_system_serial_port(SerialPort::MessageSink show_message) {
    return std::make_unique<PosixSerialPort>(std::move(show_message));
}

}  // namespace qm720
