#pragma once

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "core/bytes.h"

namespace qm720::test {

// `count` bytes 0, 1, 2, ... wrapping at 256: every value appears, and any byte lost, doubled or
// moved shows up in a comparison.
inline Bytes counting_bytes(std::size_t count) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

// A pseudo-terminal with the test as the sensor: the driver opens device(), the test writes and
// reads the master side. The slave starts in the kernel's cooked defaults, so only a driver that
// really makes the line raw gets bytes through unchanged.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        std::array<char, 128> name{};
        if (openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        device_ = name.data();
    }
    ~PseudoTerminal() {
        hang_up();
        close(slave_);  // held until now so that the line stays up while the driver reopens it
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& device() const { return device_; }
    // The line as the driver left it.
    termios line_attributes() const {
        termios attributes{};
        tcgetattr(slave_, &attributes);
        return attributes;
    }

    void send(const Bytes& bytes) {
        if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("the pseudo-terminal took not all bytes");
        }
    }
    // One byte every `per_byte`, as a real line paces them; returns when the last one was sent.
    std::chrono::steady_clock::time_point send_paced(const Bytes& bytes,
                                                     std::chrono::microseconds per_byte) {
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            std::this_thread::sleep_until(start + per_byte * i);
            send({bytes[i]});
        }
        return std::chrono::steady_clock::now();
    }
    // What arrives until the line has been silent for `quiet`.
    Bytes receive(std::chrono::milliseconds quiet) {
        Bytes received;
        pollfd entry{master_, POLLIN, 0};
        for (std::uint8_t byte = 0; poll(&entry, 1, static_cast<int>(quiet.count())) > 0 &&
                                    read(master_, &byte, 1) == 1;) {
            received.push_back(byte);
        }
        return received;
    }
    // Closes the sensor's side: the driver sees the hang-up an unplugged adapter gives.
    void hang_up() { close(std::exchange(master_, -1)); }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

}  // namespace qm720::test
