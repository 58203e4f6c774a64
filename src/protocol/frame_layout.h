#pragma once

#include <cstddef>
#include <cstdint>

namespace qm720 {

// Every frame on the line, request or reply, is laid out alike: prefix, the sensor's address,
// a code, the payload, and the CRC-8 of everything before it last. Offsets count from 0 at the
// prefix. The scan request alone has no code (31 FF DC), and the scan answer is no frame at all.
inline constexpr std::uint8_t kRequestPrefix = 0x31;
inline constexpr std::uint8_t kReplyPrefix = 0x3E;

inline constexpr std::size_t kAddressOffset = 1;
inline constexpr std::size_t kCodeOffset = 2;
inline constexpr std::size_t kPayloadOffset = 3;

// Prefix, address, code and CRC: a frame without payload.
inline constexpr std::size_t kEmptyFrameLength = kPayloadOffset + 1;

}  // namespace qm720
