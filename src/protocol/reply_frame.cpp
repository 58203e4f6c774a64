#include "protocol/reply_frame.h"

#include <algorithm>

#include "protocol/crc8.h"

namespace qm720 {

bool is_reply_frame(const Bytes& received) {
    return received.size() >= kEmptyFrameLength && received.front() == kReplyPrefix;
}

std::uint8_t reply_check_crc(const Bytes& received) {
    return received.empty() ? 0 : crc_of(received, received.size() - 1);
}

bool reply_intact(const Bytes& received) {
    return !received.empty() && reply_check_crc(received) == received.back();
}

namespace {

using Position = Bytes::const_iterator;

bool intact_frame(Position first, Position last) {
    const Bytes frame(first, last);
    return is_reply_frame(frame) && reply_intact(frame);
}

// This CRC leaves nothing over after an intact frame, so two intact frames read back to back
// are also one "intact" frame from the first prefix: such a run is no reply of its own.
bool starts_a_run_of_frames(Position first, Position last) {
    for (Position next = std::find(first + 1, last, kReplyPrefix); next != last;
         next = std::find(next + 1, last, kReplyPrefix)) {
        if (intact_frame(first, next)) {
            return true;
        }
    }
    return false;
}

}  // namespace

LocatedReply locate_reply(const Bytes& received) {
    const Position first_prefix = std::find(received.begin(), received.end(), kReplyPrefix);
    Position start = first_prefix;
    for (Position prefix = first_prefix; prefix != received.end();
         prefix = std::find(prefix + 1, received.end(), kReplyPrefix)) {
        if (intact_frame(prefix, received.end()) &&
            !starts_a_run_of_frames(prefix, received.end())) {
            start = prefix;
            break;
        }
    }
    if (start == received.end()) {
        return {received, false};
    }
    return {Bytes(start, received.end()), start != received.begin()};
}

}  // namespace qm720
