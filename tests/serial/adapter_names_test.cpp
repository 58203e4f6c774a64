#include "serial/adapter_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;

TEST(AdapterNames, TheAdaptersOwnNameWithoutBusSerialNumberOrInterface) {
    const struct {
        const char* link;
        const char* name;
    } cases[] = {
        {"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "FTDI FT232R USB UART"},
        {"usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0",
         "Prolific Technology Inc. USB-Serial Controller"},
        {"usb-1a86_USB2.0-Serial-if00-port0", "1a86 USB2.0-Serial"},
        {"usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_0001-if00-port0",
         "Silicon Labs CP2102 USB to UART Bridge Controller"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(adapter_name_from_link(c.link), c.name) << c.link;
    }
}

// Two adapters plugged in: each device finds its own link; a built-in port finds none.
TEST(AdapterNames, FoundThroughTheLinkThatLeadsToTheDevice) {
    test::TempFolder folder;
    const fs::path by_id = folder.path() / "by-id";
    fs::create_directory(by_id);
    for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyS0"}) {
        std::ofstream(folder.path() / device).close();
    }
    fs::create_symlink("../ttyUSB1", by_id / "usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    fs::create_symlink("../ttyUSB0", by_id / "usb-1a86_USB_Serial-if00-port0");

    EXPECT_EQ(adapter_name((folder.path() / "ttyUSB0").string(), by_id.string()),
              "1a86 USB Serial");
    EXPECT_EQ(adapter_name((folder.path() / "ttyUSB1").string(), by_id.string()),
              "FTDI FT232R USB UART");
    EXPECT_EQ(adapter_name((folder.path() / "ttyS0").string(), by_id.string()), "");
    EXPECT_EQ(adapter_name("/dev/no-such-device", by_id.string()), "");
    EXPECT_EQ(adapter_name((folder.path() / "ttyUSB0").string(), "/no/such/folder"), "");
}

}  // namespace
}  // namespace qm720
