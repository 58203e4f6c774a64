#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "byte_runs.h"
#include "pseudo_terminal.h"
#include "serial/posix_serial_port.h"

namespace qm720 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::counting_bytes;

// Well below every time-out a call could otherwise wait out (256 ms for a read, n + 10 ms for a
// write), and far above what an immediate return takes on a loaded machine.
constexpr auto kPrompt = 150ms;

// A hang-up here is what an unplugged adapter gives. A write that raised SIGPIPE would end the
// test program, so every case that gets through has shown there is none.
class SerialBrokenLine : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(port.OpenPort(line.device(), "19200,n,8,1")); }

    test::PseudoTerminal line;
    PosixSerialPort port{[](const std::string&) {}};
};

TEST_F(SerialBrokenLine, HangUpDuringAReadEndsItAtOnce) {
    std::promise<Clock::time_point> hung_up;
    std::jthread sensor([&] {
        std::this_thread::sleep_for(50ms);
        line.hang_up();
        hung_up.set_value(Clock::now());
    });
    port.ReadPort();
    const auto returned = Clock::now();
    EXPECT_LT(returned - hung_up.get_future().get(), kPrompt);
}

TEST_F(SerialBrokenLine, VanishedDeviceEndsEveryCallAtOnce) {
    line.hang_up();
    auto start = Clock::now();
    EXPECT_TRUE(port.ReadPort().empty());
    EXPECT_LT(Clock::now() - start, kPrompt);

    start = Clock::now();
    EXPECT_LT(port.WritePort(counting_bytes(300)), 300);
    EXPECT_LT(Clock::now() - start, kPrompt);

    start = Clock::now();
    port.FlushPort();
    port.ClosePort();
    EXPECT_LT(Clock::now() - start, kPrompt);
}

TEST_F(SerialBrokenLine, LineThatNeverFallsSilentStillEndsTheRead) {
    std::jthread chatter([&](std::stop_token stop) {
        for (std::uint8_t byte = 0; !stop.stop_requested(); ++byte) {
            line.send({byte});
            std::this_thread::sleep_for(5ms);
        }
    });
    const auto start = Clock::now();
    EXPECT_FALSE(port.ReadPort().empty());
    EXPECT_LT(Clock::now() - start, 1s);
}

TEST_F(SerialBrokenLine, PeerThatStopsReadingEndsAWriteShort) {
    const Bytes piece = counting_bytes(255);
    std::uint16_t written = 0;
    auto took = Clock::duration::zero();
    for (int pieces = 0; pieces < 4000; ++pieces) {
        const auto start = Clock::now();
        written = port.WritePort(piece);
        took = Clock::now() - start;
        if (written < piece.size()) {
            break;
        }
    }
    EXPECT_LT(written, piece.size());
    EXPECT_LT(took, 2s);

    const auto start = Clock::now();
    port.FlushPort();
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST(SerialClosedPort, CallsGiveTheirNeutralResults) {
    PosixSerialPort port([](const std::string&) {});
    EXPECT_TRUE(port.ReadPort().empty());
    EXPECT_EQ(port.WritePort(counting_bytes(22)), 0);
    port.FlushPort();
    EXPECT_FALSE(port.ClosePort());
    EXPECT_EQ(port.last_open_failure().reason, OpenFailureReason::None);
}

}  // namespace
}  // namespace qm720
