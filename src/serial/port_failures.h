#pragma once

#include <cstddef>
#include <string>

#include "serial/serial_port.h"

namespace qm720 {

// What every driver remembers of its last failures and how it words them: one vocabulary for
// the engineer, whichever system's calls failed.
class PortFailures {
  public:
    explicit PortFailures(SerialPort::MessageSink show_message);

    const OpenFailure& last_open() const { return last_open_; }
    const std::string& last_write() const { return last_write_; }

    void open_started() { last_open_ = {}; }
    void open_refused(OpenFailure failure) { last_open_ = std::move(failure); }
    // A port that opened but would not take the sensors' line: "<text> Error: <number>" becomes
    // the reason and is shown to the engineer at once. False, for the caller to return.
    bool set_up_refused(const std::string& device, const std::string& text, long error);

    void write_started() { last_write_.clear(); }
    bool write_failed() const { return !last_write_.empty(); }
    void write_to_closed_port() { last_write_ = "the port is not open"; }
    // The system's own reason, after the device it concerns.
    void write_refused(const std::string& device, const std::string& reason);
    // The line took fewer than `count` bytes within the deadline a write of that many gets.
    void write_timed_out(const std::string& device, std::size_t count);

  private:
    SerialPort::MessageSink show_message_;
    OpenFailure last_open_;
    std::string last_write_;
};

}  // namespace qm720
