#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/bytes.h"

namespace qm720 {

// Prefixes of the command lines handed to remote sensors: length fields for a 6-byte shift
// frame and a 5-byte set-mode frame.
inline constexpr std::string_view kShiftLinePrefix = "S485=6:8:150:19200:";
inline constexpr std::string_view kModeLinePrefix = "S485=5:5:150:19200:";

// Command lines are made for remote sensors, which answer at addresses below 200.
inline constexpr std::uint8_t kFirstNonRemoteAddress = 200;

// Every byte as two upper-case hexadecimal digits, no separators: 31 0A F9 -> "310AF9".
std::string two_digit_hex(const Bytes& bytes);

// The text form of a shift or set-mode frame; other frames have none.
std::optional<std::string> generated_command_line(const Bytes& frame);

}  // namespace qm720
