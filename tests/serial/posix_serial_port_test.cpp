#include <grp.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
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

constexpr auto kHang = 2s;  // far beyond any time-out: a call still running has hung

class Serial : public testing::Test {
  protected:
    bool open(PosixSerialPort& on) { return on.open(line.device(), kSensorLine); }

    test::PseudoTerminal line;
    std::vector<std::string> messages;
    PosixSerialPort port{[this](const std::string& text) { messages.push_back(text); }};
    PosixSerialPort other{[](const std::string&) {}};
};

// Other settings refused; raw 19200 8N1, held until closed once; missing or taken fail quietly.
TEST_F(Serial, PortOpensRawAndHoldsTheLineUntilClosedOnceAndOthersFailQuietly) {
    EXPECT_FALSE(port.open(line.device(), "19200,e,8,1"));
    EXPECT_EQ(messages, std::vector<std::string>{"Line settings other than 19200,n,8,1 are not "
                                                 "supported: 19200,e,8,1 Error: " +
                                                 std::to_string(EINVAL)});
    ASSERT_TRUE(open(other) && other.close());  // the refusal left the line free
    ASSERT_TRUE(open(port));
    const termios a = line.line_attributes();
    EXPECT_EQ((a.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) | (a.c_oflag & OPOST), 0u);
    EXPECT_EQ(a.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(a.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    EXPECT_EQ(cfgetospeed(&a), B19200);
    line.send(hex("3E 01 F0"));
    const std::pair<std::string, OpenFailureReason> cases[] = {
        {line.device(), OpenFailureReason::Busy},  // nor may it take the input
        {"/dev/qm720-no-such-port", OpenFailureReason::Missing},
        {"/dev/null", OpenFailureReason::Other}};
    for (const auto& [path, reason] : cases) {
        EXPECT_FALSE(other.open(path, kSensorLine)) << path;
        EXPECT_EQ(other.last_open_failure().reason, reason) << path;
        EXPECT_EQ(other.last_open_failure().device, path);
        EXPECT_FALSE(other.last_open_failure().description.empty()) << path;
    }
    EXPECT_EQ(port.read(), hex("3E 01 F0"));
    EXPECT_TRUE(port.close());
    ASSERT_TRUE(open(other));
    EXPECT_FALSE(port.close());
    line.send(hex("3E 02 F0"));
    EXPECT_EQ(other.read(), hex("3E 02 F0"));
    EXPECT_EQ(messages.size(), 1u);  // the refused settings' only
    struct stat status {};           // root is never refused: EACCES is mapped alone
    ASSERT_EQ(stat("/dev/null", &status), 0);
    const OpenFailure failure = open_failure_for(EACCES, "/dev/null");
    EXPECT_EQ(failure.reason, OpenFailureReason::NoPermission);
    EXPECT_EQ(failure.description, "Permission denied (join the group " +
                                       std::string(getgrgid(status.st_gid)->gr_name) + ")");
}

// Every byte value passes both ways; 300 out whole in order, reads of at most 255; a gap splits.
TEST_F(Serial, BytesPassUnchangedInPiecesOfUpTo255AndAGapSplitsAReply) {
    ASSERT_TRUE(open(port));
    EXPECT_EQ(port.write(counting_bytes(300)), 300);
    EXPECT_EQ(line.receive(300ms), counting_bytes(300));  // until silent: shows added bytes too
    line.send(counting_bytes(256));
    port.wait_until_sent();
    EXPECT_EQ(port.read(), counting_bytes(255));
    EXPECT_EQ(port.read(), Bytes{0xFF});

    line.send(hex("3E 01 F0 10 27 00 00"));
    std::jthread sensor([&] {
        std::this_thread::sleep_for(40ms);
        line.send(hex("E8 03 00 00 1A 00"));
    });
    EXPECT_EQ(port.read(), hex("3E 01 F0 10 27 00 00"));
    EXPECT_EQ(port.read(), hex("E8 03 00 00 1A 00"));
}

// A read that has what it awaits ends there: what follows is left for the next read.
TEST_F(Serial, AReadEndsAsSoonAsItsAnswerIsComplete) {
    ASSERT_TRUE(open(port));
    // Bytes 5 ms apart, well inside the gap that ends a plain read.
    std::jthread sensor([&] { line.send_paced(hex("3E 01 F0 10 E8 03 00 00"), 5ms); });
    const auto four_bytes = [](const Bytes& received) { return received.size() >= 4; };
    EXPECT_EQ(port.read_until(four_bytes), hex("3E 01 F0 10"));
    EXPECT_EQ(port.read(), hex("E8 03 00 00"));
}

// A never-silent line, a deaf peer and a hang-up (no SIGPIPE, no 256 ms waits) end every call.
TEST_F(Serial, ChatteringDeafOrHungUpLineStillEndsEveryCall) {
    ASSERT_TRUE(open(port));
    std::jthread chatter([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            line.send_paced(counting_bytes(2), 5ms);  // never 40 ms quiet
        }
    });
    auto start = Clock::now();
    EXPECT_FALSE(port.read().empty());
    EXPECT_LT(Clock::now() - start, 1s);
    chatter.request_stop();
    chatter.join();

    start = Clock::now();
    std::uint16_t written = 255;
    for (int pieces = 0; pieces < 4000 && written == 255; ++pieces) {
        written = port.write(counting_bytes(255));
    }
    EXPECT_LT(written, 255);
    port.wait_until_sent();
    line.hang_up();
    for (int read = 0; read < 20; ++read) {
        EXPECT_TRUE(port.read().empty());
    }
    EXPECT_LT(port.write(counting_bytes(300)), 300);
    port.wait_until_sent();
    port.close();
    EXPECT_LT(Clock::now() - start, kHang);
}

}  // namespace
}  // namespace qm720
