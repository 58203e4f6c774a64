#include <cstdlib>
#include <filesystem>

#include "serial/port_names.h"

namespace qm720 {

std::optional<std::string> device_for_com_name(std::string_view name) {
    const char* ports_folder = std::getenv("QM720_PORTS");
    return device_for_com_name(name, ports_folder ? ports_folder : "", [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored);
    });
}

}  // namespace qm720
