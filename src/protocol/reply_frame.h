#pragma once

#include <cstdint>

#include "core/bytes.h"
#include "protocol/frame_layout.h"

namespace qm720 {

// Codes a sensor answers with; besides the echo of each command code it has two of its own.
inline constexpr std::uint8_t kPasswordRefusedCode = 0xFD;
inline constexpr std::uint8_t kParameterReplyCode = 0x06;

// A reply frame starts with 0x3E and holds at least prefix, address, code and CRC; anything
// else that arrives can only be a scan answer.
bool is_reply_frame(const Bytes& received);

// CRC-8 of everything received but the last byte (0 for an empty string).
std::uint8_t reply_check_crc(const Bytes& received);

// True when the last byte equals the CRC-8 of the bytes before it.
bool reply_intact(const Bytes& received);

// Drops what a noisy line put before the first reply prefix; a read without one stays whole.
void skip_line_noise(Bytes& received);

}  // namespace qm720
