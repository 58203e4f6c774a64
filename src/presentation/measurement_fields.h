#pragma once

#include <cstdint>
#include <optional>

#include "core/bytes.h"
#include "protocol/reply_layout.h"

namespace qm720 {

// Shorter than this, a measurement reply lacks fields every reading needs. A reply that ends
// with K counts, its CRC standing in K's high byte.
inline constexpr std::size_t kShortestMeasurement = kKValueField.end();

// The numbers a measurement reply (code 0xF0) carries, as the sensor sent them.
struct MeasurementFields {
    std::uint8_t address = 0;
    int temperature = 0;  // °C, signed
    std::uint16_t level = 0;
    std::uint32_t current_value = 0;
    std::uint32_t empty_value = 0;
    std::uint32_t full_value = 0;
    std::uint16_t k_value = 0;
    std::optional<std::uint8_t> mode_byte;  // a reply one byte short of full length has none
};

// The fields of a measurement reply whose CRC is already checked; none when it is too short.
std::optional<MeasurementFields> measurement_fields(const Bytes& reply);

}  // namespace qm720
