#include "sim/reply_faults.h"

#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/request_layout.h"

namespace qm720::sim {

namespace {

Bytes line_noise(std::size_t length, Noise& noise) {
    Bytes bytes(length);
    for (std::uint8_t& byte : bytes) {
        byte = noise.byte();
    }
    if (!bytes.empty() && bytes.front() == kReplyPrefix) {
        bytes.front() = static_cast<std::uint8_t>(~kReplyPrefix);
    }
    return bytes;
}

}  // namespace

Bytes with_faults(Bytes reply, const SensorFaults& faults, Noise& noise) {
    if (reply.size() <= kCodePosition) {
        return reply;
    }
    if (faults.garbage) {
        return line_noise(reply.size(), noise);
    }
    const bool measurement = reply[kCodePosition] == static_cast<std::uint8_t>(CommandCode::Poll);
    if (faults.unknown_code) {
        reply[kCodePosition] = kUnknownReplyCode;
        reply.back() = reply_check_crc(reply);
    }
    if (faults.bad_crc && measurement) {
        reply.back() = static_cast<std::uint8_t>(~reply.back());
    }
    return reply;
}

}  // namespace qm720::sim
