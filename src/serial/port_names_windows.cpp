#include "serial/port_names.h"

namespace qm720 {

std::optional<std::string> device_for_com_name(std::string_view name) {
    const auto number = com_port_number(name);
    if (!number) {
        return std::nullopt;
    }
    return "COM" + std::to_string(*number);
}

}  // namespace qm720
