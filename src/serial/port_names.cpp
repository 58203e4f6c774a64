#include "serial/port_names.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>

namespace qm720 {

std::optional<unsigned> com_port_number(std::string_view name) {
    constexpr std::string_view kCom = "com";
    if (name.size() <= kCom.size() || name[kCom.size()] == '0') {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kCom.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != kCom[i]) {
            return std::nullopt;
        }
    }
    const std::string_view digits = name.substr(kCom.size());
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> device_for_com_name(std::string_view name,
                                               const std::string& ports_folder,
                                               const PathExists& exists) {
    const auto number = com_port_number(name);
    if (!number) {
        return std::nullopt;
    }
    if (!ports_folder.empty() && exists(ports_folder)) {
        return ports_folder + "/COM" + std::to_string(*number);
    }
    const std::string index = std::to_string(*number - 1);
    const std::string usb_adapter = "/dev/ttyUSB" + index;
    return exists(usb_adapter) ? usb_adapter : "/dev/ttyS" + index;
}

std::string device_for_path(const std::string& device_path) {
    if (!device_path.starts_with(kDevicePathPrefix)) {
        return device_path;
    }
    return device_for_com_name(std::string_view(device_path).substr(kDevicePathPrefix.size()))
        .value_or(device_path);
}

}  // namespace qm720
