// How long the Win32 driver's `read` holds the caller, under Wine, with qm720-sim on COM1
// (scripts/bench links it): on a silent line, and for sensor 1's 22-byte measurement reply.
// Prints the median and the worst of 30 runs beside the targets.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "protocol/requests.h"
#include "serial/win32_serial_port.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 30;
// What the simulator was told to wait before answering, and a 22-byte answer at 19200 baud.
constexpr double kAnswerDelayMs = 5;
constexpr double kReplyOnTheLineMs = 22 * 0.52;

void print(const char* what, std::vector<double> times, const char* target) {
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.2f ms   worst %7.2f ms   target: %s\n", what,
                times[times.size() / 2], times.back(), target);
}

double timed_read(qm720::Win32SerialPort& port, std::uint8_t address, std::size_t& received) {
    port.write(qm720::poll_request(address));
    const auto start = Clock::now();
    received = port.read().size();
    return Milliseconds(Clock::now() - start).count();
}

}  // namespace

int main() {
    qm720::Win32SerialPort port([](const std::string& text) { std::puts(text.c_str()); });
    if (!port.open("COM1", qm720::kSensorLine)) {
        std::fprintf(stderr, "cannot open COM1\n");
        return 1;
    }
    std::vector<double> silent;
    std::vector<double> after_last_byte;
    int incomplete = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::size_t received = 0;
        silent.push_back(timed_read(port, 200, received));
        const double whole = timed_read(port, 1, received);
        after_last_byte.push_back(whole - kAnswerDelayMs - kReplyOnTheLineMs);
        incomplete += received != 22 ? 1 : 0;
    }
    std::printf("Win32SerialPort::read under Wine, %d runs each\n", kRuns);
    print("silent line", silent, "256 ms, never above 266 ms");
    print("22-byte reply, after its last byte (estimate)", after_last_byte, "no later than 25 ms");
    std::printf("replies not returned whole in one read: %d of %d\n", incomplete, kRuns);
    return 0;
}
