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

// A read with what a noisy line put before its reply dropped. Noise may hold the prefix byte
// too, and even a whole frame, so the reply starts at the first prefix from which one intact
// frame (not several back to back) runs to the end of the read, or else at the first prefix; a
// read without one stays whole.
struct LocatedReply {
    Bytes frame;
    bool after_noise = false;  // bytes were dropped before `frame`
};
LocatedReply locate_reply(const Bytes& received);

}  // namespace qm720
