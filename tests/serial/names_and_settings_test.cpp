#include <gtest/gtest.h>

#include <set>

#include "serial/line_settings.h"
#include "serial/port_names.h"

namespace qm720 {
namespace {

TEST(ComPortNames, LeadToThePortsFolderThenAUsbAdapterThenABuiltInPort) {
    const struct {
        const char* name;
        std::string ports_folder;
        std::set<std::string> existing;
        std::string device;
    } cases[] = {
        {"COM1", "/tmp/bus", {"/tmp/bus", "/dev/ttyUSB0"}, "/tmp/bus/COM1"},
        {"COM30", "/tmp/bus", {"/tmp/bus"}, "/tmp/bus/COM30"},
        {"COM2", "/tmp/gone", {"/dev/ttyUSB1"}, "/dev/ttyUSB1"},
        {"com3", "", {"/dev/ttyUSB0", "/dev/ttyS2"}, "/dev/ttyS2"},
        {"COM1", "", {}, "/dev/ttyS0"},
    };
    for (const auto& c : cases) {
        const auto exists = [&](const std::string& path) { return c.existing.contains(path); };
        EXPECT_EQ(device_for_com_name(c.name, c.ports_folder, exists), c.device) << c.name;
    }
}

// "\\.\COMn" itself is mapped in the port's open tests, through the ports folder.
TEST(ComPortNames, OtherNamesLeadNowhereAndOtherPathsStay) {
    const auto everything_exists = [](const std::string&) { return true; };
    for (const char* name : {"", "COM", "COM0", "COM01", "COM-1", "COM+1", "COM1x", "LPT1", " COM1",
                             "COM99999999999"}) {
        EXPECT_EQ(device_for_com_name(name, "/tmp/bus", everything_exists), std::nullopt)
            << '"' << name << '"';
    }
    for (const char* path : {"/dev/pts/7", "COM3", "\\\\.\\LPT1", "\\\\?\\COM3"}) {
        EXPECT_EQ(device_for_path(path), path);
    }
}

TEST(LineSettings, ModeSyntaxTextsSetSpeedParityDataAndStopBits) {
    const struct {
        const char* text;
        speed_t speed;
        tcflag_t flags;
    } cases[] = {
        {" 19200 , N , 8 , 1 ", B19200, CS8},
        {"96,E,7,2", B9600, CS7 | PARENB | CSTOPB},
        {"1200,o,8,1", B1200, CS8 | PARENB | PARODD},
        {"115200,M,8,1", B115200, CS8 | PARENB | PARODD | CMSPAR},
        {"110,s,6,1", B110, CS6 | PARENB | CMSPAR},
        {"9600,n,5,1.5", B9600, CS5 | CSTOPB},
    };
    for (const auto& c : cases) {
        const auto line = parse_line_settings(c.text);
        termios attributes{};
        ASSERT_TRUE(line && set_line_attributes(*line, attributes)) << c.text;
        EXPECT_EQ(cfgetospeed(&attributes), c.speed) << c.text;
        EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.flags)
            << c.text;
    }
}

// The last two parse, but no UART sends their stop bits.
TEST(LineSettings, OtherTextsAreRefused) {
    for (const char* text :
         {"", "19200,n,8", "19200,n,8,1,x", "19200,,8,1", "19200,no,8,1", "19200,n,9,1",
          "19200,n,8,0", "14400,n,8,1", "-19200,n,8,1", "19200.0,n,8,1", "abc,n,8,1", "19200;n;8;1",
          "19200,n,8,1.5", "19200,n,5,2"}) {
        const auto line = parse_line_settings(text);
        termios attributes{};
        EXPECT_FALSE(line && set_line_attributes(*line, attributes)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace qm720
