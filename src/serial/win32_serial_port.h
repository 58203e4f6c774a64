#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "serial/port_failures.h"
#include "serial/serial_port.h"

namespace qm720 {

// The serial port on Windows: a COM port opened for this program alone, its read and write
// time-outs set in the port itself (COMMTIMEOUTS), and a flush that polls the output queue
// against a deadline, so that a silent line or a stalled adapter never holds the caller.
class Win32SerialPort final : public SerialPort {
  public:
    explicit Win32SerialPort(MessageSink show_message);
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const std::string& device_path, const std::string& settings) override;
    bool close() override;
    void wait_until_sent() override;
    Bytes read() override;
    void discard_input() override;
    std::uint16_t write(const Bytes& data) override;

    OpenFailure last_open_failure() const override { return failures_.last_open(); }
    std::string last_write_failure() const override { return failures_.last_write(); }

  private:
    bool set_up(const std::string& device_path, const std::string& settings);
    bool refuse_set_up(const std::string& text);
    std::size_t write_piece(const std::uint8_t* bytes, std::size_t count);

    PortFailures failures_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string device_;
};

}  // namespace qm720
