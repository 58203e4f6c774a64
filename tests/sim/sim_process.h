#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "core/bytes.h"

namespace qm720::test {

using Clock = std::chrono::steady_clock;

// Bounds that only catch a hang; nothing here measures speed.
inline constexpr auto kHangBound = std::chrono::seconds(10);

// A running qm720-sim, stopped and reaped at the end of the test whatever happens.
class SimProcess {
  public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The first line the program printed, without its newline; empty if none came in time.
    std::string first_line();
    void send_signal(int signal) const;
    // The exit status once the program has ended; -1 when it is still running after the bound.
    int wait_for_exit();

  private:
    int pid_ = -1;
    int stdout_ = -1;
    bool reaped_ = false;
};

// The tool's end of the line, opened the plain termios way.
class TestPort {
  public:
    explicit TestPort(const std::string& path);
    ~TestPort();
    TestPort(const TestPort&) = delete;
    TestPort& operator=(const TestPort&) = delete;

    bool is_open() const { return fd_ >= 0; }
    // Bytes written, or -1 with errno kept.
    long write_bytes(const Bytes& bytes) const;
    // Reads until `count` bytes came, the line hung up or the bound passed.
    Bytes read_bytes(std::size_t count) const;
    // Whether the line reports a hang-up (POLLHUP or POLLERR) within the bound.
    bool hangs_up() const;

  private:
    int fd_ = -1;
};

}  // namespace qm720::test
