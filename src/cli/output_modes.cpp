#include "cli/output_modes.h"

#include "protocol/mode_bits.h"

namespace qm720::cli {

std::optional<std::string> output_name(std::uint8_t mode) {
    for (const OutputMode& output : kOutputModes) {
        if (output.selector == (mode & kOutputModeMask)) {
            return std::string(output.name);
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> output_selector(const std::string& name) {
    for (const OutputMode& output : kOutputModes) {
        if (output.name == name) {
            return output.selector;
        }
    }
    return std::nullopt;
}

}  // namespace qm720::cli
