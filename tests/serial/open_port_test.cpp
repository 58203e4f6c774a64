#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "hex.h"
#include "ports_folder.h"
#include "pseudo_terminal.h"
#include "serial/posix_serial_port.h"

namespace qm720 {
namespace {

using test::hex;

constexpr const char* kSettings = "19200,n,8,1";

class SerialOpen : public testing::Test {
  protected:
    void expect_silent_failure(const std::string& path, OpenFailureReason reason,
                               const std::string& device) {
        EXPECT_FALSE(port.OpenPort(path, kSettings)) << path;
        EXPECT_EQ(port.last_open_failure().reason, reason) << path;
        EXPECT_EQ(port.last_open_failure().device, device) << path;
        EXPECT_FALSE(port.last_open_failure().description.empty()) << path;
        EXPECT_TRUE(messages.empty()) << path;
    }

    // Whether another program could take the line now: the port must have let it go entirely.
    bool device_is_free() {
        PosixSerialPort other([](const std::string&) {});
        return other.OpenPort(line.device(), kSettings);
    }

    test::PseudoTerminal line;
    std::vector<std::string> messages;
    PosixSerialPort port{[this](const std::string& text) { messages.push_back(text); }};
};

TEST_F(SerialOpen, LeavesTheLineRawAt19200WithoutFlowControl) {
    ASSERT_TRUE(port.OpenPort(line.device(), kSettings));
    const termios attributes = line.line_attributes();
    EXPECT_EQ(attributes.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(attributes.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(attributes.c_oflag & OPOST, 0u);
    EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    EXPECT_EQ(attributes.c_cc[VMIN], 0);
    EXPECT_EQ(attributes.c_cc[VTIME], 0);
    EXPECT_EQ(cfgetospeed(&attributes), B19200);
    EXPECT_EQ(port.last_open_failure().reason, OpenFailureReason::None);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SerialOpen, FindsComPortsInThePortsFolder) {
    const test::PortsFolder bus;
    std::filesystem::create_symlink(line.device(), bus.path() + "/COM7");

    ASSERT_TRUE(port.OpenPort("\\\\.\\COM7", kSettings));
    line.send(hex("3E 07 F0"));
    EXPECT_EQ(port.ReadPort(), hex("3E 07 F0"));
}

TEST_F(SerialOpen, MissingDevicesFailWithoutAMessage) {
    const test::PortsFolder bus;
    expect_silent_failure("/dev/qm720-no-such-port", OpenFailureReason::Missing,
                          "/dev/qm720-no-such-port");
    expect_silent_failure("\\\\.\\COM250", OpenFailureReason::Missing, bus.path() + "/COM250");
}

TEST_F(SerialOpen, DevicesInUseAreBusyAndKeepTheirData) {
    const int holder = open(line.device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    expect_silent_failure(line.device(), OpenFailureReason::Busy, line.device());
    close(holder);

    PosixSerialPort owner([](const std::string&) {});
    ASSERT_TRUE(owner.OpenPort(line.device(), kSettings));
    line.send(hex("3E 01 F0"));
    expect_silent_failure(line.device(), OpenFailureReason::Busy, line.device());
    EXPECT_EQ(owner.ReadPort(), hex("3E 01 F0"));
}

TEST_F(SerialOpen, OnlyTerminalsAreTaken) {
    const test::PortsFolder folder;
    const std::string plain_file = folder.path() + "/COM1";
    std::fclose(std::fopen(plain_file.c_str(), "w"));
    expect_silent_failure("/dev/null", OpenFailureReason::Other, "/dev/null");
    expect_silent_failure(plain_file, OpenFailureReason::Other, plain_file);
}

TEST_F(SerialOpen, ForbiddenDeviceNamesTheGroupThatMayOpenIt) {
    ASSERT_EQ(chmod(line.device().c_str(), 0), 0);
    struct stat status {};
    ASSERT_EQ(stat(line.device().c_str(), &status), 0);
    const group* owners = getgrgid(status.st_gid);
    ASSERT_NE(owners, nullptr);

    EXPECT_EXIT(
        {
            // Root opens anything, so the child gives that up first.
            if (geteuid() == 0 && setuid(65534) != 0) {
                std::_Exit(2);
            }
            const bool opened = port.OpenPort(line.device(), kSettings);
            const OpenFailure failure = port.last_open_failure();
            std::fputs(failure.description.c_str(), stderr);
            std::_Exit(!opened && failure.reason == OpenFailureReason::NoPermission &&
                               messages.empty()
                           ? 0
                           : 1);
        },
        testing::ExitedWithCode(0),
        "^Permission denied \\(join the group " + std::string(owners->gr_name) + "\\)$");
}

TEST_F(SerialOpen, RefusedSettingsShowTheirMessageAndFreeTheDevice) {
    const std::string invalid = std::to_string(EINVAL);
    const struct {
        const char* settings;
        std::string message;
    } cases[] = {
        {"19200,q,8,1", "Unable to build Comm DCB 19200,q,8,1 Error: " + invalid},
        {"", "Unable to build Comm DCB  Error: " + invalid},
        {"19200,n,8,1.5", "Unable to set Comm DCB 19200,n,8,1.5 Error: " + invalid},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(port.OpenPort(line.device(), c.settings));
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_EQ(port.last_open_failure().reason, OpenFailureReason::SetupFailed);
        EXPECT_EQ(port.last_open_failure().description, c.message);
        EXPECT_TRUE(device_is_free()) << c.settings;
    }
}

TEST_F(SerialOpen, ClosingFreesTheDevice) {
    ASSERT_TRUE(port.OpenPort(line.device(), kSettings));
    EXPECT_FALSE(device_is_free());
    EXPECT_TRUE(port.ClosePort());
    EXPECT_TRUE(device_is_free());
    EXPECT_FALSE(port.ClosePort());
}

}  // namespace
}  // namespace qm720
