#include "serial/adapter_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qm720 {

namespace fs = std::filesystem;

std::string adapter_name_from_link(std::string_view link_name) {
    for (const std::string_view bus : {"usb-", "pci-", "platform-"}) {
        if (link_name.starts_with(bus)) {
            link_name.remove_prefix(bus.size());
            break;
        }
    }
    if (const auto interface = link_name.rfind("-if"); interface != std::string_view::npos) {
        link_name = link_name.substr(0, interface);
    }
    // The last word is the adapter's serial number when it is letters and digits, digits among
    // them, and not the only word.
    if (const auto last = link_name.rfind('_'); last != std::string_view::npos) {
        const std::string_view word = link_name.substr(last + 1);
        const auto is = [&word](auto test) { return std::any_of(word.begin(), word.end(), test); };
        if (is([](unsigned char c) { return std::isdigit(c) != 0; }) &&
            !is([](unsigned char c) { return std::isalnum(c) == 0; })) {
            link_name = link_name.substr(0, last);
        }
    }
    std::string name(link_name);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::string adapter_name(const std::string& device, const std::string& by_id_folder) {
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) {
        return {};
    }
    // Never throws: a tooltip is no reason to end the program.
    for (fs::directory_iterator link(by_id_folder, error), end; !error && link != end;
         link.increment(error)) {
        std::error_code ignored;
        if (fs::canonical(link->path(), ignored) == target) {
            return adapter_name_from_link(link->path().filename().string());
        }
    }
    return {};
}

}  // namespace qm720
