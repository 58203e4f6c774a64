#include <gtest/gtest.h>

#include <set>

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

}  // namespace
}  // namespace qm720
