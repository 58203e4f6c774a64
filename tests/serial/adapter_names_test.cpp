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

TEST(AdapterNames, AreFoundThroughTheLinkThatLeadsToTheDevice) {
    test::TempFolder folder;
    const fs::path by_id = folder.path() / "by-id";
    fs::create_directory(by_id);
    for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyS0"}) {
        std::ofstream(folder.path() / device).close();
    }
    fs::create_symlink("../ttyUSB1", by_id / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    fs::create_symlink("../ttyUSB0", by_id / "usb-Prolific_Inc._USB-Serial_Controller-if00-port0");
    const auto name = [&](const char* device) {
        return adapter_name((folder.path() / device).string(), by_id.string());
    };
    EXPECT_EQ(name("ttyUSB0"), "Prolific Inc. USB-Serial Controller");
    EXPECT_EQ(name("ttyUSB1"), "FTDI FT232R USB UART");
    EXPECT_EQ(name("ttyS0"), "");
}

TEST(ComPortNames, LeadToThePortsFolderThenAUsbAdapterThenABuiltInPortOrNowhere) {
    using Case = std::tuple<const char*, const char*, std::set<std::string>, const char*>;
    for (const auto& [name, folder, existing, device] :
         {Case{"COM30", "/tmp/bus", {"/tmp/bus", "/dev/ttyUSB0"}, "/tmp/bus/COM30"},
          Case{"COM2", "/tmp/gone", {"/dev/ttyUSB1"}, "/dev/ttyUSB1"},
          Case{"com3", "", {"/dev/ttyUSB0", "/dev/ttyS2"}, "/dev/ttyS2"},
          Case{"COM1", "", {}, "/dev/ttyS0"}}) {
        const auto exists = [&](const std::string& path) { return existing.contains(path); };
        EXPECT_EQ(device_for_com_name(name, folder, exists), device) << name;
    }
    for (const char* name :
         {"", "COM", "COM0", "COM01", "COM+1", "COM1x", "LPT1", "COM99999999999"}) {
        EXPECT_EQ(device_for_com_name(name, "/tmp/bus", [](auto&) { return true; }), std::nullopt)
            << '"' << name << '"';
    }
    for (const char* path : {"/dev/pts/7", "\\\\.\\LPT1"}) {
        EXPECT_EQ(device_for_path(path), path);
    }
}

}  // namespace
}  // namespace qm720
