#pragma once

#include <cstdint>
#include <string>

#include "app/control.h"

namespace qm720 {

// Judges the stored calibration by the ratio full / empty: light green inside (1.8, 1.98),
// yellow inside (1.6, 2.08), red otherwise, and red when the empty value is 0.
Colour calibration_colour(std::uint32_t empty_value, std::uint32_t full_value);

// The empty-level value in centimetres (600 counts a centimetre), halves to the even number.
std::int64_t empty_level_centimetres(std::uint32_t empty_value);

// "Внимание! Установка Пустой соотв. длине около N см."
std::string calibration_hint(std::uint32_t empty_value);

}  // namespace qm720
