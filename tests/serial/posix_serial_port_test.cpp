#include <grp.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "hex.h"
#include "pseudo_terminal.h"
#include "serial/open_failure.h"
#include "serial/posix_serial_port.h"

namespace qm720 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::counting_bytes;
using test::hex;

// Far beyond any time-out a call may wait out: a call still running then has hung.
constexpr auto kHang = 2s;

class Serial : public testing::Test {
  protected:
    bool open(PosixSerialPort& on) { return on.OpenPort(line.device(), kSensorLine); }

    test::PseudoTerminal line;
    std::vector<std::string> messages;
    PosixSerialPort port{[this](const std::string& text) { messages.push_back(text); }};
    PosixSerialPort other{[](const std::string&) {}};
};

// Raw at 19200 8N1 (COM names open through the ports folder in the end-to-end tests); the line
// is held until closed, and closing twice must not close the descriptor the next owner has been
// given. The window tries one port after another: one missing or taken is no error to show.
TEST_F(Serial, PortOpensRawAndHoldsTheLineUntilClosedOnceAndOthersFailQuietly) {
    ASSERT_TRUE(open(port));
    const termios attributes = line.line_attributes();
    EXPECT_EQ(attributes.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(attributes.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(attributes.c_oflag & OPOST, 0u);
    EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    EXPECT_EQ(cfgetospeed(&attributes), B19200);
    line.send(hex("3E 01 F0"));
    const struct {
        std::string path;
        OpenFailureReason reason;
        std::string device;
    } cases[] = {
        {line.device(), OpenFailureReason::Busy, line.device()},  // nor may it take the input
        {"/dev/qm720-no-such-port", OpenFailureReason::Missing, "/dev/qm720-no-such-port"},
        {"/dev/null", OpenFailureReason::Other, "/dev/null"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(other.OpenPort(c.path, kSensorLine)) << c.path;
        EXPECT_EQ(other.last_open_failure().reason, c.reason) << c.path;
        EXPECT_EQ(other.last_open_failure().device, c.device) << c.path;
        EXPECT_FALSE(other.last_open_failure().description.empty()) << c.path;
    }
    EXPECT_EQ(port.ReadPort(), hex("3E 01 F0"));
    EXPECT_TRUE(port.ClosePort());
    ASSERT_TRUE(open(other));
    EXPECT_FALSE(port.ClosePort());
    line.send(hex("3E 02 F0"));
    EXPECT_EQ(other.ReadPort(), hex("3E 02 F0"));
    EXPECT_TRUE(messages.empty());
}

// Root, as the tests may run, is never refused: the mapping of EACCES is checked alone. Settings
// other than the sensors' are refused with their message.
TEST_F(Serial, ForbiddenDeviceNamesItsGroupAndOtherSettingsAreRefused) {
    struct stat status {};
    ASSERT_EQ(stat("/dev/null", &status), 0);
    const OpenFailure failure = open_failure_for(EACCES, "/dev/null");
    EXPECT_EQ(failure.reason, OpenFailureReason::NoPermission);
    EXPECT_EQ(failure.description, "Permission denied (join the group " +
                                       std::string(getgrgid(status.st_gid)->gr_name) + ")");
    EXPECT_FALSE(port.OpenPort(line.device(), "19200,e,8,1"));
    EXPECT_EQ(messages, std::vector<std::string>{"Line settings other than 19200,n,8,1 are not "
                                                 "supported: 19200,e,8,1 Error: " +
                                                 std::to_string(EINVAL)});
    EXPECT_TRUE(open(other));
}

// Every byte value passes unchanged both ways (a cooked line drops or changes some); 300 bytes go
// out as 255 and 45 in order, reads return at most 255, a flush keeps what came, and a 40 ms gap
// splits a reply.
TEST_F(Serial, BytesPassUnchangedInPiecesOfUpTo255AndAGapSplitsAReply) {
    ASSERT_TRUE(open(port));
    EXPECT_EQ(port.WritePort(counting_bytes(300)), 300);
    EXPECT_EQ(line.receive(300ms), counting_bytes(300));  // until silent: shows added bytes too
    line.send(counting_bytes(256));
    port.FlushPort();
    EXPECT_EQ(port.ReadPort(), counting_bytes(255));
    EXPECT_EQ(port.ReadPort(), Bytes{0xFF});

    line.send(hex("3E 01 F0 10 27 00 00"));
    std::jthread sensor([&] {
        std::this_thread::sleep_for(40ms);
        line.send(hex("E8 03 00 00 1A 00"));
    });
    EXPECT_EQ(port.ReadPort(), hex("3E 01 F0 10 27 00 00"));
    EXPECT_EQ(port.ReadPort(), hex("E8 03 00 00 1A 00"));
}

// A read without its time-out would run on to 255 bytes, 1.3 s; a peer that stops reading must
// end a write short, and the flush. A hang-up, what an unplugged adapter gives, ends every call
// at once: twenty reads that each waited out the 256 ms time-out would run past the bound, and a
// write that raised SIGPIPE would end the test program.
TEST_F(Serial, ChatteringDeafOrHungUpLineStillEndsEveryCall) {
    ASSERT_TRUE(open(port));
    std::jthread chatter([&](std::stop_token stop) {
        for (std::uint8_t byte = 0; !stop.stop_requested(); ++byte) {
            line.send({byte});
            std::this_thread::sleep_for(5ms);
        }
    });
    auto start = Clock::now();
    EXPECT_FALSE(port.ReadPort().empty());
    EXPECT_LT(Clock::now() - start, 1s);
    chatter.request_stop();
    chatter.join();

    start = Clock::now();
    std::uint16_t written = 255;
    for (int pieces = 0; pieces < 4000 && written == 255; ++pieces) {
        written = port.WritePort(counting_bytes(255));
    }
    EXPECT_LT(written, 255);
    port.FlushPort();
    EXPECT_LT(Clock::now() - start, kHang);

    start = Clock::now();
    line.hang_up();
    for (int read = 0; read < 20; ++read) {
        EXPECT_TRUE(port.ReadPort().empty());
    }
    EXPECT_LT(port.WritePort(counting_bytes(300)), 300);
    port.FlushPort();
    port.ClosePort();
    EXPECT_LT(Clock::now() - start, kHang);
}

}  // namespace
}  // namespace qm720
