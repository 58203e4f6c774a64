#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/bytes.h"

namespace qm720 {

// The one line every sensor speaks, in the settings text `open` takes: 19200 baud, no parity,
// 8 data bits, 1 stop bit.
inline constexpr const char* kSensorLine = "19200,n,8,1";

// Why the last `open` failed, so that the window can tell the engineer without a terminal.
enum class OpenFailureReason { None, Missing, Busy, NoPermission, SetupFailed, Other };

struct OpenFailure {
    OpenFailureReason reason = OpenFailureReason::None;
    std::string device;       // the platform device that was tried, e.g. /dev/ttyUSB0
    std::string description;  // e.g. "Permission denied (join the group dialout)"
};

// "/dev/ttyUSB0: Permission denied (join the group dialout)": the driver's view of a refused
// open, so that the engineer learns the cause without a terminal.
std::string open_failure_text(const OpenFailure& failure);

// The one way to the COM port. Bytes go out exactly as handed over and come back exactly as
// received; every call is bounded in time, whatever the line or the device does.
class SerialPort {
  public:
    // Receives the texts of a failed set-up step; the window shows them in a message box.
    using MessageSink = std::function<void(const std::string& text)>;

    virtual ~SerialPort() = default;

    // `device_path` is "\\.\COMn" or a device path; `settings` is kSensorLine.
    virtual bool open(const std::string& device_path, const std::string& settings) = 0;
    virtual bool close() = 0;
    // Waits until what was written has gone out on the line, never longer than the write's own
    // deadline.
    virtual void wait_until_sent() = 0;
    // At most 255 bytes; empty when nothing arrived within the read time-outs.
    virtual Bytes read() = 0;
    // Whether the bytes read so far are all that is awaited.
    using ReadComplete = std::function<bool(const Bytes& received)>;
    // As `read`, but ends as soon as `complete` says so, without waiting out the gap after the
    // last byte. A driver that cannot look at the bytes as they come reads as `read` does.
    virtual Bytes read_until(const ReadComplete& complete) {
        (void)complete;
        return read();
    }
    // Drops whatever has arrived and not been read, so that the next read starts clean.
    virtual void discard_input() = 0;
    // The count written; below data.size() on a time-out or a fault.
    virtual std::uint16_t write(const Bytes& data) = 0;

    virtual OpenFailure last_open_failure() const = 0;
    // Why the last short write fell short, e.g. "/dev/ttyUSB0: Input/output error".
    virtual std::string last_write_failure() const = 0;
};

}  // namespace qm720
