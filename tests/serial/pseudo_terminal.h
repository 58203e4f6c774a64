#pragma once

#include <termios.h>

#include <chrono>
#include <cstddef>
#include <string>

#include "core/bytes.h"

namespace qm720::test {

// A pseudo-terminal with the test as the sensor: the driver opens device(), the test writes and
// reads the master side. The master is raw by nature (Linux applies termios calls on it to the
// slave); the slave starts in the kernel's cooked defaults, so only a driver that really makes
// the line raw gets bytes through unchanged.
class PseudoTerminal {
  public:
    PseudoTerminal();  // throws std::runtime_error when no pseudo-terminal can be had
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& device() const { return device_; }
    // The line as the driver left it.
    termios line_attributes() const;

    void send(const Bytes& bytes);
    // One byte every `per_byte`, as a real line paces them; returns when the last one was sent.
    std::chrono::steady_clock::time_point send_paced(const Bytes& bytes,
                                                     std::chrono::microseconds per_byte);
    // What arrives until `count` bytes are in or `within` has passed.
    Bytes receive(std::size_t count, std::chrono::milliseconds within);

    // Closes the sensor's side: the driver sees the hang-up an unplugged adapter gives.
    void hang_up();

  private:
    int master_ = -1;
    int slave_ = -1;  // held so that the line stays up while the driver opens and closes it
    std::string device_;
};

}  // namespace qm720::test
