#include "sim/reply_faults.h"

#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720::sim {

namespace {

Bytes line_noise(std::size_t length, Noise& noise) {
    Bytes bytes;
    while (bytes.size() < length) {
        bytes.push_back(noise.byte());
    }
    return bytes;
}

// Faults in what the sensor says: the CRC is made to fit the frame as sent.
void misstate(Bytes& reply, const SensorFaults& faults, CommandCode answered) {
    if (faults.short_mode_reply && answered == CommandCode::SetMode) {
        reply.resize(kEmptyFrameLength);  // the CRC takes the mode byte's place
    }
    if (faults.wrong_address) {
        ++reply[kAddressOffset];
    }
    if (faults.unknown_code) {
        reply[kCodeOffset] = kUnknownReplyCode;
    }
    reply.back() = reply_check_crc(reply);
}

// Faults of the line: bytes changed after the CRC was computed.
void damage(Bytes& reply, const SensorFaults& faults, CommandCode answered) {
    if (faults.bad_crc && answered == CommandCode::Poll) {
        reply.back() = static_cast<std::uint8_t>(~reply.back());
    }
    if (faults.bad_identity && answered == CommandCode::Identity) {
        reply[kSerialNumberField.offset] ^= 0x01;  // the serial number's lowest bit
    }
}

}  // namespace

Bytes with_faults(Bytes reply, const SensorFaults& faults, Noise& noise) {
    if (reply.size() <= kCodeOffset) {
        return reply;
    }
    const auto answered = static_cast<CommandCode>(reply[kCodeOffset]);
    if (faults.garbage) {
        reply = line_noise(reply.size(), noise);
    } else {
        misstate(reply, faults, answered);
        damage(reply, faults, answered);
    }
    if (faults.noisy) {
        reply.insert(reply.begin(), noise.byte());
    }
    return reply;
}

}  // namespace qm720::sim
