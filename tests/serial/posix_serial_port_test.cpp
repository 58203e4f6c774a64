#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
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

// Far beyond any time-out a call may wait out (256 ms for a read, n + 10 ms for a write piece):
// a call still running then has hung. Replies at line speed and silent lines are read in the
// end-to-end tests.
constexpr auto kHang = 2s;

class SerialOpen : public testing::Test {
  protected:
    // QM720_PORTS names a fresh folder while the test runs.
    SerialOpen() { setenv("QM720_PORTS", mkdtemp(bus.data()) ? bus.c_str() : "", 1); }
    ~SerialOpen() override {
        unsetenv("QM720_PORTS");
        std::filesystem::remove_all(bus);
    }
    // Whether another program could take the line now.
    bool device_is_free() {
        PosixSerialPort other([](const std::string&) {});
        return other.OpenPort(line.device(), kSensorLine);
    }

    std::string bus = std::filesystem::temp_directory_path() / "qm720-ports-XXXXXX";
    test::PseudoTerminal line;
    std::vector<std::string> messages;
    PosixSerialPort port{[this](const std::string& text) { messages.push_back(text); }};
};

class SerialTransfer : public SerialOpen {
  protected:
    void SetUp() override { ASSERT_TRUE(port.OpenPort(line.device(), kSensorLine)); }
};
// A hang-up is what an unplugged adapter gives. A write that raised SIGPIPE would end the test
// program, so every case that gets through has shown there is none.
using SerialBrokenLine = SerialTransfer;

// A COM name opens through the ports folder, raw at 19200 (bytes a cooked line changes are
// checked by the transfers). Another program's failed attempt must not take the owner's input,
// and closing the port again must not close the descriptor the next owner has been given.
TEST_F(SerialOpen, ComPortOpensRawAndHoldsTheLineAndItsInputUntilClosedOnce) {
    std::filesystem::create_symlink(line.device(), bus + "/COM7");
    ASSERT_TRUE(port.OpenPort("\\\\.\\COM7", kSensorLine));
    const termios attributes = line.line_attributes();
    EXPECT_EQ(attributes.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(attributes.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(attributes.c_oflag & OPOST, 0u);
    EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    EXPECT_EQ(cfgetospeed(&attributes), B19200);
    line.send(hex("3E 01 F0"));
    EXPECT_FALSE(device_is_free());
    EXPECT_EQ(port.ReadPort(), hex("3E 01 F0"));
    EXPECT_TRUE(port.ClosePort());

    PosixSerialPort next([](const std::string&) {});
    ASSERT_TRUE(next.OpenPort(line.device(), kSensorLine));
    EXPECT_FALSE(port.ClosePort());
    line.send(hex("3E 02 F0"));
    EXPECT_EQ(next.ReadPort(), hex("3E 02 F0"));
    EXPECT_TRUE(messages.empty());
}

// The window tries one port after another: one that is not there or is taken is no error to show.
TEST_F(SerialOpen, MissingBusyAndNonTerminalDevicesFailWithoutAMessage) {
    const int holder = open(line.device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    const struct {
        std::string path;
        OpenFailureReason reason;
        std::string device;
    } cases[] = {
        {"/dev/qm720-no-such-port", OpenFailureReason::Missing, "/dev/qm720-no-such-port"},
        {"\\\\.\\COM250", OpenFailureReason::Missing, bus + "/COM250"},
        {line.device(), OpenFailureReason::Busy, line.device()},
        {"/dev/null", OpenFailureReason::Other, "/dev/null"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(port.OpenPort(c.path, kSensorLine)) << c.path;
        EXPECT_EQ(port.last_open_failure().reason, c.reason) << c.path;
        EXPECT_EQ(port.last_open_failure().device, c.device) << c.path;
        EXPECT_FALSE(port.last_open_failure().description.empty()) << c.path;
    }
    close(holder);
    EXPECT_TRUE(messages.empty());
}

// open() refuses such a device with EACCES, which the port maps as it maps the missing ones
// above; checked without the port, since root, as the tests may run, is never refused.
TEST(SerialOpenFailure, ForbiddenDeviceNamesTheGroupThatMayOpenIt) {
    struct stat status {};
    ASSERT_EQ(stat("/dev/null", &status), 0);
    const OpenFailure failure = open_failure_for(EACCES, "/dev/null");
    EXPECT_EQ(failure.reason, OpenFailureReason::NoPermission);
    EXPECT_EQ(failure.description, "Permission denied (join the group " +
                                       std::string(getgrgid(status.st_gid)->gr_name) + ")");
}

TEST_F(SerialOpen, OtherSettingsAreRefusedWithTheirMessageAndFreeTheDevice) {
    const std::string message =
        "Line settings other than 19200,n,8,1 are not supported: "
        "19200,e,8,1 Error: " +
        std::to_string(EINVAL);
    EXPECT_FALSE(port.OpenPort(line.device(), "19200,e,8,1"));
    EXPECT_EQ(messages, std::vector<std::string>{message});
    EXPECT_EQ(port.last_open_failure().reason, OpenFailureReason::SetupFailed);
    EXPECT_EQ(port.last_open_failure().description, message);
    EXPECT_TRUE(device_is_free());
}

TEST_F(SerialTransfer, GapOfFortyMillisecondsSplitsAReply) {
    line.send(hex("3E 01 F0 10 27 00 00"));
    std::jthread sensor([&] {
        std::this_thread::sleep_for(40ms);
        line.send(hex("E8 03 00 00 1A 00"));
    });
    EXPECT_EQ(port.ReadPort(), hex("3E 01 F0 10 27 00 00"));
    EXPECT_EQ(port.ReadPort(), hex("E8 03 00 00 1A 00"));
}

// 0x00, 0x0A, 0x0D, 0x11, 0x13 and 0x80-0xFF among them: a line left cooked drops or changes some.
// 300 bytes go out as 255 and 45, in order; reads return at most 255 bytes.
TEST_F(SerialTransfer, EveryByteValuePassesUnchangedBothWaysInPiecesOfUpTo255) {
    EXPECT_EQ(port.WritePort(counting_bytes(300)), 300);
    // Reading until the line falls silent shows any byte it added, such as a CR before a LF.
    EXPECT_EQ(line.receive(300ms), counting_bytes(300));

    // The burst comes back whole as far as one read's 255 bytes go, and a flush keeps it.
    const Bytes every_value = counting_bytes(256);
    line.send(every_value);
    port.FlushPort();
    EXPECT_EQ(port.ReadPort(), Bytes(every_value.begin(), every_value.end() - 1));
    EXPECT_EQ(port.ReadPort(), Bytes{0xFF});
}

// Twenty reads that each waited out the 256 ms time-out would run past the bound.
TEST_F(SerialBrokenLine, HangUpEndsEveryCallAtOnce) {
    const auto start = Clock::now();
    line.hang_up();
    for (int read = 0; read < 20; ++read) {
        EXPECT_TRUE(port.ReadPort().empty());
    }
    EXPECT_LT(port.WritePort(counting_bytes(300)), 300);
    port.FlushPort();
    port.ClosePort();
    EXPECT_LT(Clock::now() - start, kHang);
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
    // Four times the read time-out; a read without it would run on to 255 bytes, 1.3 s.
    EXPECT_LT(Clock::now() - start, 1s);
}

TEST_F(SerialBrokenLine, PeerThatStopsReadingEndsAWriteShortAndTheFlush) {
    const auto start = Clock::now();
    std::uint16_t written = 255;
    for (int pieces = 0; pieces < 4000 && written == 255; ++pieces) {
        written = port.WritePort(counting_bytes(255));
    }
    EXPECT_LT(written, 255);
    port.FlushPort();
    EXPECT_LT(Clock::now() - start, kHang);
}

}  // namespace
}  // namespace qm720
