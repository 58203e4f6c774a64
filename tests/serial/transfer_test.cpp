#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "byte_runs.h"
#include "hex.h"
#include "pseudo_terminal.h"
#include "serial/posix_serial_port.h"

namespace qm720 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::counting_bytes;
using test::hex;

// 19200 baud, ten bits a byte.
constexpr auto kByteTime = 520us;

class SerialTransfer : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(port.OpenPort(line.device(), "19200,n,8,1")); }

    test::PseudoTerminal line;
    PosixSerialPort port{[](const std::string&) {}};
};

TEST_F(SerialTransfer, SilentLineGivesNothingOnceTheReadTimeOutHasRunOut) {
    const auto start = Clock::now();
    EXPECT_TRUE(port.ReadPort().empty());
    const auto took = Clock::now() - start;
    EXPECT_GT(took, 200ms);
    EXPECT_LT(took, 2s);
}

TEST_F(SerialTransfer, FlushKeepsWhatHasArrived) {
    line.send(hex("3E 01 F0 00 0D"));
    port.FlushPort();
    EXPECT_EQ(port.ReadPort(), hex("3E 01 F0 00 0D"));
}

TEST_F(SerialTransfer, BurstsComeBackWholeUpTo255Bytes) {
    for (const std::size_t size : {1, 4, 22, 255}) {
        line.send(counting_bytes(size));
        EXPECT_EQ(port.ReadPort(), counting_bytes(size)) << size;
    }
    const Bytes longer = counting_bytes(300);
    line.send(longer);
    EXPECT_EQ(port.ReadPort(), Bytes(longer.begin(), longer.begin() + 255));
    EXPECT_EQ(port.ReadPort(), Bytes(longer.begin() + 255, longer.end()));
}

TEST_F(SerialTransfer, ReplyPacedAtLineSpeedComesBackInOneRead) {
    const Bytes reply = counting_bytes(22);
    std::jthread sensor([&] { line.send_paced(reply, kByteTime); });
    EXPECT_EQ(port.ReadPort(), reply);
}

TEST_F(SerialTransfer, GapOfFortyMillisecondsSplitsAReply) {
    const Bytes first = hex("3E 01 F0 10 27 00 00");
    const Bytes second = hex("E8 03 00 00 1A 00");
    line.send(first);
    std::jthread sensor([&] {
        std::this_thread::sleep_for(40ms);
        line.send(second);
    });
    EXPECT_EQ(port.ReadPort(), first);
    EXPECT_EQ(port.ReadPort(), second);
}

TEST_F(SerialTransfer, EveryByteValuePassesUnchangedBothWays) {
    const Bytes every_value = counting_bytes(256);
    EXPECT_EQ(port.WritePort(every_value), 256);
    // Asking for more than was sent shows any byte the line added, such as an echo or a CR.
    EXPECT_EQ(line.receive(512, 300ms), every_value);

    line.send(every_value);
    Bytes received = port.ReadPort();
    const Bytes rest = port.ReadPort();
    received.insert(received.end(), rest.begin(), rest.end());
    EXPECT_EQ(received, every_value);
}

TEST_F(SerialTransfer, WritesOfAnyLengthGoOutWholeAndInOrder) {
    for (const std::size_t size : {0, 1, 255, 256, 300, 700}) {
        const Bytes data = counting_bytes(size);
        EXPECT_EQ(port.WritePort(data), size);
        EXPECT_EQ(line.receive(size + 1, 100ms), data) << size;
    }
}

}  // namespace
}  // namespace qm720
