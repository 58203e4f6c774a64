#include "pseudo_terminal.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <array>
#include <stdexcept>
#include <thread>

namespace qm720::test {

PseudoTerminal::PseudoTerminal() {
    std::array<char, 128> name{};
    if (openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    device_ = name.data();
}

PseudoTerminal::~PseudoTerminal() {
    hang_up();
    close(slave_);
}

termios PseudoTerminal::line_attributes() const {
    termios attributes{};
    tcgetattr(slave_, &attributes);
    return attributes;
}

void PseudoTerminal::send(const Bytes& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t count = write(master_, bytes.data() + sent, bytes.size() - sent);
        if (count <= 0) {
            throw std::runtime_error("the pseudo-terminal took no more bytes");
        }
        sent += static_cast<std::size_t>(count);
    }
}

std::chrono::steady_clock::time_point PseudoTerminal::send_paced(
    const Bytes& bytes, std::chrono::microseconds per_byte) {
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::this_thread::sleep_until(start + per_byte * i);
        send({bytes[i]});
    }
    return std::chrono::steady_clock::now();
}

Bytes PseudoTerminal::receive(std::size_t count, std::chrono::milliseconds within) {
    const auto deadline = std::chrono::steady_clock::now() + within;
    Bytes received(count);
    std::size_t total = 0;
    while (total < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{master_, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        const ssize_t n = read(master_, received.data() + total, count - total);
        if (n <= 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    received.resize(total);
    return received;
}

void PseudoTerminal::hang_up() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

}  // namespace qm720::test
