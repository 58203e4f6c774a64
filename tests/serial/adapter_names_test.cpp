// What the port list shows of a port: the adapter's name, and the device a COM name leads to.
#include "serial/adapter_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "serial/port_names.h"
#include "support/temp_folder.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;

// The bus, interface and a serial number are dropped; a last word that is no number stays.
TEST(AdapterNames, AreFoundThroughTheLinkThatLeadsToTheDevice) {
    test::TempFolder folder;
    const fs::path by_id = folder.path() / "by-id";
    fs::create_directory(by_id);
    for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyS0"}) {
        std::ofstream(folder.path() / device).close();
    }
    fs::create_symlink("../ttyUSB1", by_id / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    fs::create_symlink("../ttyUSB0", by_id / "usb-1a86_USB2.0-Serial-if00-port0");
    fs::create_symlink("../ttyUSB2", by_id / "usb-Prolific_Inc._USB-Serial_Controller-if00-port0");
    const auto name = [&](const char* device) {
        return adapter_name((folder.path() / device).string(), by_id.string());
    };
    EXPECT_EQ(name("ttyUSB0"), "1a86 USB2.0-Serial");
    EXPECT_EQ(name("ttyUSB1"), "FTDI FT232R USB UART");
    EXPECT_EQ(name("ttyUSB2"), "Prolific Inc. USB-Serial Controller");
    EXPECT_EQ(name("ttyS0"), "");
    EXPECT_EQ(adapter_name("/dev/no-such-device", by_id.string()), "");
}

TEST(ComPortNames, LeadToThePortsFolderThenAUsbAdapterThenABuiltInPortOrNowhere) {
    const struct {
        const char* name;
        std::string ports_folder;
        std::set<std::string> existing;
        std::optional<std::string> device;
    } cases[] = {
        {"COM30", "/tmp/bus", {"/tmp/bus", "/dev/ttyUSB0"}, "/tmp/bus/COM30"},
        {"COM2", "/tmp/gone", {"/dev/ttyUSB1"}, "/dev/ttyUSB1"},
        {"com3", "", {"/dev/ttyUSB0", "/dev/ttyS2"}, "/dev/ttyS2"},
        {"COM1", "", {}, "/dev/ttyS0"},
    };
    for (const auto& c : cases) {
        const auto exists = [&](const std::string& path) { return c.existing.contains(path); };
        EXPECT_EQ(device_for_com_name(c.name, c.ports_folder, exists), c.device) << c.name;
    }
    for (const char* name : {"", "COM", "COM0", "COM01", "COM-1", "COM+1", "COM1x", "LPT1", " COM1",
                             "COM99999999999"}) {
        EXPECT_EQ(device_for_com_name(name, "/tmp/bus", [](auto&) { return true; }), std::nullopt)
            << '"' << name << '"';
    }
    for (const char* path : {"/dev/pts/7", "COM3", "\\\\.\\LPT1", "\\\\?\\COM3"}) {
        EXPECT_EQ(device_for_path(path), path);
    }
}

}  // namespace
}  // namespace qm720
