#include <gtest/gtest.h>

#include <chrono>

#include "protocol/requests.h"
#include "serial/win32_serial_port.h"

// Run by with_simulated_com1: sensors 1 and 2 answer on COM1.
namespace qm720 {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kHang = std::chrono::seconds(2);  // far above any time-out: only a hang gets there

class Win32SerialPortOnTheBus : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(port.open("COM1", kSensorLine)); }

    std::vector<std::string> messages;
    Win32SerialPort port{[this](const std::string& text) { messages.push_back(text); }};
};

TEST_F(Win32SerialPortOnTheBus, ReadsAWholeReplyAndASilentLineEndsTheRead) {
    ASSERT_EQ(port.write(poll_request(1)), poll_request(1).size());
    const Bytes reply = port.read();
    ASSERT_EQ(reply.size(), 22u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 2), (Bytes{0x3E, 1}));

    ASSERT_EQ(port.write(poll_request(200)), poll_request(200).size());
    const auto start = Clock::now();
    EXPECT_TRUE(port.read().empty());
    EXPECT_LT(Clock::now() - start, kHang);
}

TEST_F(Win32SerialPortOnTheBus, LongWritesGoOutWholeInPiecesAndTheLineStaysUsable) {
    EXPECT_EQ(port.write(Bytes(300, 0x55)), 300);
    EXPECT_TRUE(port.last_write_failure().empty());
    port.read();
    port.discard_input();
    ASSERT_EQ(port.write(identity_request(2)), identity_request(2).size());
    const Bytes reply = port.read();
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply[1], 2);
}

TEST_F(Win32SerialPortOnTheBus, RefusedSettingsAreShownOnceAndLeaveThePortFree) {
    EXPECT_TRUE(port.close());
    EXPECT_FALSE(port.open("COM1", "fast"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("Unable to build Comm DCB fast Error: ")) << messages[0];
    EXPECT_EQ(port.last_open_failure().reason, OpenFailureReason::SetupFailed);
    EXPECT_TRUE(port.open("\\\\.\\COM1", kSensorLine));
}

}  // namespace
}  // namespace qm720
