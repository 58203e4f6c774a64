#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <numeric>
#include <stdexcept>
#include <thread>

#include "core/bytes.h"
#include "sim/pseudo_terminal.h"

namespace qm720::test {

inline Bytes counting_bytes(std::size_t count) {
    Bytes bytes(count);
    return std::iota(bytes.begin(), bytes.end(), std::uint8_t{0}), bytes;
}

// The sensor's side; the driver opens device(), which starts cooked at 9600 2 stop bits, RTS/CTS.
class PseudoTerminal : public sim::PseudoTerminal {
  public:
    PseudoTerminal() : slave_(open(slave_path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        termios line = line_attributes();
        line.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
        line.c_iflag |= ICRNL | IXON | IXOFF | ISTRIP;
        line.c_oflag |= OPOST | ONLCR;
        line.c_cflag |= CSTOPB | CRTSCTS;
        if (cfsetspeed(&line, B9600) != 0 || tcsetattr(slave_, TCSANOW, &line) != 0) {
            throw std::runtime_error("cannot set up " + device());
        }
    }
    ~PseudoTerminal() { close(slave_); }

    const std::string& device() const { return slave_path(); }
    termios line_attributes() const {
        termios attributes{};
        return tcgetattr(slave_, &attributes), attributes;
    }
    void send(const Bytes& bytes) {
        if (write(master(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("the pseudo-terminal took not all bytes");
        }
    }
    std::chrono::steady_clock::time_point send_paced(const Bytes& bytes,
                                                     std::chrono::microseconds per_byte) {
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            std::this_thread::sleep_until(start + per_byte * i);
            send({bytes[i]});
        }
        return std::chrono::steady_clock::now();
    }
    Bytes receive(std::chrono::milliseconds quiet) {
        Bytes received;
        pollfd entry{master(), POLLIN, 0};
        for (std::uint8_t byte = 0; poll(&entry, 1, static_cast<int>(quiet.count())) > 0 &&
                                    read(master(), &byte, 1) == 1;) {
            received.push_back(byte);
        }
        return received;
    }

  private:
    int slave_;
};

}  // namespace qm720::test
