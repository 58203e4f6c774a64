#pragma once

#include <cstdint>
#include <optional>

#include "core/bytes.h"

namespace qm720 {

// What one read is judged against. The window and qm720-cli take replies by this one rule; the
// window's habits are its parameters.
struct ReplyExpectation {
    // The request the read answers: its code says which confirmation may come, its address who
    // may answer a confirmation or say that it did not understand (anyone, after a broadcast).
    Bytes asked;
    // Whose measurements and identities are taken; none takes anyone's.
    std::optional<std::uint8_t> reading_address;
    // The window's habits. It polls every address at once on request, and then any sensor's
    // measurement is the one asked for; and it takes a confirmation on a clean line whatever its
    // CRC and its address, since the sensor did act. qm720-cli wants the sensor it names, and
    // every confirmation intact and from the sensor asked.
    bool broadcast_poll_answered_by_anyone = false;
    bool lenient_confirmations = false;
};

enum class ReplyKind {
    Measurement,     // intact, long enough, from the address whose readings are taken
    Identity,        // intact, from that address
    Confirmation,    // answers the request asked: its code, or 0xFD after a password request
    ParameterReply,  // 0x06, intact
    Unrecognised,    // intact, a code nobody knows, from the sensor asked
    Unusable,        // noise, damage, another sensor, or an answer to nothing that was asked
};

struct JudgedReply {
    ReplyKind kind = ReplyKind::Unusable;
    Bytes frame;  // the read with its line noise dropped
    bool intact = false;
};

// Finds the reply in a read (noise may come first, and may hold 0x3E) and judges it. What
// follows dropped noise counts only when intact, confirmations included.
JudgedReply judge_reply(const Bytes& read, const ReplyExpectation& expected);

}  // namespace qm720
