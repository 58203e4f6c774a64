#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace qm720::sim {

namespace {

termios raw_line_settings() {
    termios settings{};
    cfmakeraw(&settings);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    return settings;
}

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void close_if_open(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    termios settings = raw_line_settings();
    if (openpty(&master_, &slave_keeper_, nullptr, &settings, nullptr) != 0) {
        fail("openpty");
    }
    // Non-blocking, so that an answer nobody reads is dropped instead of stalling the bus.
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(master_, F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(slave_keeper_, F_SETFD, FD_CLOEXEC) != 0) {
        const int error = errno;
        hang_up();
        throw std::system_error(error, std::generic_category(), "fcntl");
    }
    std::array<char, 256> name{};
    if (const int error = ttyname_r(slave_keeper_, name.data(), name.size()); error != 0) {
        hang_up();
        throw std::system_error(error, std::generic_category(), "ttyname_r");
    }
    slave_path_ = name.data();
}

PseudoTerminal::~PseudoTerminal() {
    hang_up();
}

int PseudoTerminal::unread_by_tool() const {
    int count = 0;
    return slave_keeper_ >= 0 && ioctl(slave_keeper_, FIONREAD, &count) == 0 ? count : 0;
}

void PseudoTerminal::hang_up() {
    close_if_open(master_);
    close_if_open(slave_keeper_);
}

}  // namespace qm720::sim
