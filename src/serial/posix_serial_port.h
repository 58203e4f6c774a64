#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "serial/port_failures.h"
#include "serial/serial_port.h"

namespace qm720 {

// The serial port on Linux and other POSIX systems: a terminal device opened non-blocking and for
// this program alone, with every read, write and flush bounded by a poll deadline, so that a
// silent line, a stalled adapter or an unplugged one never holds the caller.
class PosixSerialPort final : public SerialPort {
  public:
    explicit PosixSerialPort(MessageSink show_message);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& device_path, const std::string& settings) override;
    bool close() override;
    void wait_until_sent() override;
    Bytes read() override;
    Bytes read_until(const ReadComplete& complete) override;
    void discard_input() override;
    std::uint16_t write(const Bytes& data) override;

    OpenFailure last_open_failure() const override { return failures_.last_open(); }
    std::string last_write_failure() const override { return failures_.last_write(); }

  private:
    bool open_exclusive(const std::string& device);
    void abandon_handle();
    bool set_up(const std::string& settings, const std::string& device);
    std::size_t write_piece(const std::uint8_t* bytes, std::size_t count);
    Bytes received_bytes(std::size_t count) const;

    PortFailures failures_;
    int handle_ = -1;
    std::string device_;
    std::array<std::uint8_t, 256> port_buffer_{};
};

}  // namespace qm720
