// How long `read` holds the exchange tick on a pseudo-terminal: on a silent line, and for a
// 22-byte measurement reply that a sensor thread sends at 19200-baud pacing. Prints the median
// and the worst of 50 runs beside the targets.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "pseudo_terminal.h"
#include "serial/posix_serial_port.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 50;
constexpr std::size_t kReplyLength = 22;
constexpr auto kByteTime = 520us;  // 19200 baud, ten bits a byte

void print(const char* what, std::vector<double> times, const char* target) {
    std::sort(times.begin(), times.end());
    std::printf("%-36s median %7.2f ms   worst %7.2f ms   target: %s\n", what,
                times[times.size() / 2], times.back(), target);
}

double milliseconds_since(Clock::time_point start, Clock::time_point end) {
    return Milliseconds(end - start).count();
}

}  // namespace

int main() {
    qm720::test::PseudoTerminal line;
    qm720::PosixSerialPort port(
        [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    if (!port.open(line.device(), qm720::kSensorLine)) {
        std::fprintf(stderr, "cannot open %s\n", line.device().c_str());
        return 1;
    }

    std::vector<double> silent;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        port.read();
        silent.push_back(milliseconds_since(start, Clock::now()));
    }

    const qm720::Bytes reply(kReplyLength, 0x5A);
    std::vector<double> whole_read;
    std::vector<double> after_last_byte;
    int incomplete = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::promise<Clock::time_point> last_byte_sent;
        const auto start = Clock::now();
        std::jthread sensor([&] { last_byte_sent.set_value(line.send_paced(reply, kByteTime)); });
        const qm720::Bytes received = port.read();
        const auto returned = Clock::now();
        whole_read.push_back(milliseconds_since(start, returned));
        after_last_byte.push_back(milliseconds_since(last_byte_sent.get_future().get(), returned));
        if (received.size() != kReplyLength) {
            ++incomplete;
            port.read();  // the rest, so the next run starts on a quiet line
        }
    }

    std::printf("read over a pseudo-terminal, %d runs each\n", kRuns);
    print("silent line", silent, "256 ms, never above 266 ms");
    print("22-byte reply, whole read", whole_read, "about 11 ms of bytes + 20 ms of silence");
    print("22-byte reply, after its last byte", after_last_byte, "no later than 25 ms");
    std::printf("replies not returned whole in one read: %d of %d\n", incomplete, kRuns);
    return 0;
}
