#include "cli/output_modes.h"

#include <array>

#include "presentation/mode_byte.h"

namespace qm720::cli {

namespace {

struct OutputMode {
    std::uint8_t selector;
    const char* name;
};

constexpr std::array<OutputMode, 5> kOutputModes = {{
    {0x00, "rs485"},
    {0x02, "analog"},
    {0x04, "frequency"},
    {0x06, "periodic"},
    {0x10, "periodic-rs485"},
}};

}  // namespace

std::optional<std::string> output_name(std::uint8_t mode) {
    for (const OutputMode& output : kOutputModes) {
        if (output.selector == (mode & kOutputModeMask)) {
            return output.name;
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
