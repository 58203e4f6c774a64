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

void skip_line_noise(Bytes& received) {
    const auto prefix = std::find(received.begin(), received.end(), kReplyPrefix);
    if (prefix != received.end()) {
        received.erase(received.begin(), prefix);
    }
}

}  // namespace qm720
