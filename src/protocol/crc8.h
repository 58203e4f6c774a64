#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

// CRC-8 of the first `count` bytes of `bytes`: the Dallas/Maxim 1-Wire CRC (reflected polynomial
// 0x8C, start 0, no final XOR).
std::uint8_t crc_of(const Bytes& bytes, std::size_t count);

// `frame` followed by its CRC-8: every request builder ends with this.
Bytes with_crc(const Bytes& frame);

}  // namespace qm720
