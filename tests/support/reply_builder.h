#pragma once

#include <cstdint>

#include "core/bytes.h"
#include "protocol/crc8.h"

namespace qm720::test {

// A sensor's measurement reply as the sensor lays it out: little-endian numbers, CRC last.
struct Measurement {
    std::uint8_t address = 1;
    std::uint8_t temperature = 23;
    std::uint16_t level = 512;
    std::uint32_t current_value = 100000;
    std::uint32_t empty_value = 100000;
    std::uint32_t full_value = 190000;
    std::uint16_t k_value = 7;
    std::uint8_t mode_byte = 0;

    // 22 bytes with the mode byte, 21 without it.
    Bytes frame(bool with_mode_byte = true) const {
        Bytes bytes{0x3E, address, 0xF0, temperature};
        put(bytes, level, 2);
        put(bytes, current_value, 4);
        put(bytes, empty_value, 4);
        put(bytes, full_value, 4);
        put(bytes, k_value, 2);
        if (with_mode_byte) {
            bytes.push_back(mode_byte);
        }
        return with_crc(bytes);
    }

    static void put(Bytes& bytes, std::uint32_t value, int size) {
        for (int k = 0; k < size; ++k) {
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
        }
    }
};

// An identity reply: serial number little-endian, then version and prefix when `with_version`.
inline Bytes identity_reply(std::uint32_t serial_number, std::uint8_t version,
                            std::uint8_t prefix = 0, std::uint8_t address = 1) {
    Bytes bytes{0x3E, address, 0xFC};
    Measurement::put(bytes, serial_number, 4);
    bytes.push_back(version);
    bytes.push_back(prefix);
    return with_crc(bytes);
}

}  // namespace qm720::test
