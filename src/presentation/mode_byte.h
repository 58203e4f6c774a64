#pragma once

#include <cstdint>

namespace qm720 {

class frmSerial;

// Mode byte layout: bit 0 display inversion, bits 1, 2 and 4 the output mode, bit 3 smoothing,
// bit 7 the 4096 range; bits 5 and 6 are not shown.
inline constexpr std::uint8_t kInversionBit = 0x01;
inline constexpr std::uint8_t kOutputModeMask = 0x16;
inline constexpr std::uint8_t kSmoothingBit = 0x08;
inline constexpr std::uint8_t kRange4096Bit = 0x80;

// Shows a mode byte in the "Режимы" controls and sets the level bar's full scale.
void Out_modes(frmSerial& form, std::uint8_t M);

}  // namespace qm720
