#pragma once

#include <utility>

#include "core/bytes.h"
#include "protocol/crc8.h"

namespace qm720::test {

// Replies as a sensor lays them out: little-endian numbers, CRC last.
struct Measurement {
    std::uint8_t address = 1, temperature = 23;
    std::uint16_t level = 512;
    std::uint32_t current_value = 100000, empty_value = 100000, full_value = 190000;
    std::uint16_t k_value = 7;
    std::uint8_t mode_byte = 0;

    // 22 bytes with the mode byte, 21 without it.
    Bytes frame(bool with_mode_byte = true) const {
        Bytes bytes{0x3E, address, 0xF0, temperature};
        const std::pair<std::uint32_t, int> fields[] = {
            {level, 2},      {current_value, 4}, {empty_value, 4},
            {full_value, 4}, {k_value, 2},       {mode_byte, with_mode_byte ? 1 : 0}};
        for (const auto& [value, size] : fields) {
            for (int k = 0; k < size; ++k) {
                bytes.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
            }
        }
        return with_crc(bytes);
    }
};

inline Bytes identity_reply(std::uint32_t serial_number, std::uint8_t version,
                            std::uint8_t prefix = 0, std::uint8_t address = 1) {
    const auto byte = [&](int k) { return static_cast<std::uint8_t>(serial_number >> (8 * k)); };
    return with_crc({0x3E, address, 0xFC, byte(0), byte(1), byte(2), byte(3), version, prefix});
}

}  // namespace qm720::test
