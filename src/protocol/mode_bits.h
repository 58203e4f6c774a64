#pragma once

#include <cstdint>

namespace qm720 {

// The mode byte: bit 0 display inversion, bits 1, 2 and 4 the output mode, bit 3 smoothing,
// bit 7 the 4096 range; bits 5 and 6 carry nothing
// the tool shows.
inline constexpr std::uint8_t kInversionBit = 0x01;
inline constexpr std::uint8_t kOutputModeMask = 0x16;
inline constexpr std::uint8_t kSmoothingBit = 0x08;
inline constexpr std::uint8_t kRange4096Bit = 0x80;

}  // namespace qm720
