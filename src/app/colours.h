#pragma once

#include "app/control.h"

namespace qm720 {

// Lamp and highlight colours, 0xBBGGRR.
inline constexpr Colour kGreen = 0x00C000;
inline constexpr Colour kLightGreen = 0x80FF80;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kLightGrey = 0xC0C0C0;  // the stability lamp before any reading

}  // namespace qm720
