#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm720::cli {

// The output mode's name in the mode byte (bits under kOutputModeMask); the selectors 0x12,
// 0x14 and 0x16 name none.
std::optional<std::string> output_name(std::uint8_t mode);

// The bits of a named output mode.
std::optional<std::uint8_t> output_selector(const std::string& name);

}  // namespace qm720::cli
