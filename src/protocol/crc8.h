#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

// One step of the Dallas/Maxim 1-Wire CRC-8 (reflected polynomial 0x8C, start 0, no final XOR),
// computed without a loop: each set bit of data XOR cr contributes a fixed constant. The new
// register value is stored in `cr` and returned.
std::uint8_t crc(std::uint8_t data, std::uint8_t& cr);

// CRC-8 of the first `count` bytes of `bytes`.
std::uint8_t crc_of(const Bytes& bytes, std::size_t count);

// `sstr` followed by its CRC-8: every request builder ends with this.
Bytes with_crc(const Bytes& sstr);

}  // namespace qm720
