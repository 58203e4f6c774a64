#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

// Fields of a reply addressed by 1-based position from the 0x3E byte, as the frame layouts are
// written down. Numbers in replies are unsigned, least significant byte first. Callers check
// the length first.
inline std::uint8_t byte_at(const Bytes& reply, std::size_t position) {
    return reply[position - 1];
}

inline std::uint16_t u16_at(const Bytes& reply, std::size_t position) {
    return static_cast<std::uint16_t>(byte_at(reply, position) | byte_at(reply, position + 1) << 8);
}

inline std::uint32_t u32_at(const Bytes& reply, std::size_t position) {
    return static_cast<std::uint32_t>(byte_at(reply, position)) |
           static_cast<std::uint32_t>(byte_at(reply, position + 1)) << 8 |
           static_cast<std::uint32_t>(byte_at(reply, position + 2)) << 16 |
           static_cast<std::uint32_t>(byte_at(reply, position + 3)) << 24;
}

}  // namespace qm720
