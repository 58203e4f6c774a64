#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"
#include "protocol/reply_layout.h"

namespace qm720 {

// The payloads of the two replies that carry readings, decoded once for the window and
// qm720-cli alike.

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
    std::uint16_t k_value = 0;  // uninterpreted: see kKValueField
    std::optional<std::uint8_t> mode_byte;  // a reply one byte short of full length has none
};

// The fields of a measurement reply whose CRC is already checked; none when it is too short.
std::optional<MeasurementFields> measurement_fields(const Bytes& reply);

// What an identity reply (code 0xFC) tells: the serial number and, in a reply of full length,
// the software version as a number and as the text the window shows ("1.6.3.").
struct IdentityFields {
    std::uint32_t serial_number = 0;
    std::optional<std::uint8_t> software_version;
    std::string version_text;  // empty without a version
};

// None when the reply is too short to hold a serial number.
std::optional<IdentityFields> identity_fields(const Bytes& reply);

}  // namespace qm720
