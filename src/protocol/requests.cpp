#include "protocol/requests.h"

#include <algorithm>

#include "protocol/crc8.h"
#include "protocol/four_bytes.h"

namespace qm720 {

Bytes request_frame(std::uint8_t address, CommandCode code, const Bytes& payload) {
    // Sized first rather than grown: GCC 12 misreads an insert after a braced start as a copy
    // out of bounds (its bug 105651).
    Bytes frame(kPayloadOffset + payload.size());
    frame[0] = kRequestPrefix;
    frame[kAddressOffset] = address;
    frame[kCodeOffset] = code_of(code);
    std::copy(payload.begin(), payload.end(), frame.begin() + kPayloadOffset);
    return with_crc(frame);
}

std::optional<std::size_t> request_length(std::uint8_t code) {
    constexpr std::size_t kNoPayload = kEmptyFrameLength;
    switch (static_cast<CommandCode>(code)) {
        case CommandCode::Poll:
        case CommandCode::Identity:
        case CommandCode::CalibrateFull:
        case CommandCode::CalibrateEmpty:
            return kNoPayload;
        case CommandCode::SetMode:
        case CommandCode::SetAddress:
            return kNoPayload + 1;
        case CommandCode::ShiftFull:
        case CommandCode::ShiftEmpty:
            return kNoPayload + 2;
        case CommandCode::WriteSerialNumber:
        case CommandCode::ChangePassword:
        case CommandCode::EnterPassword:
            return kNoPayload + 4;
    }
    return std::nullopt;
}

Bytes poll_request(std::uint8_t address) {
    return request_frame(address, CommandCode::Poll);
}

Bytes identity_request(std::uint8_t address) {
    return request_frame(address, CommandCode::Identity);
}

Bytes calibrate_request(std::uint8_t address, Level level) {
    return request_frame(
        address, level == Level::Full ? CommandCode::CalibrateFull : CommandCode::CalibrateEmpty);
}

Bytes shift_request(std::uint8_t address, Level level, std::int16_t amount) {
    const auto wire = static_cast<std::uint16_t>(amount);
    return request_frame(address,
                         level == Level::Full ? CommandCode::ShiftFull : CommandCode::ShiftEmpty,
                         {static_cast<std::uint8_t>(wire >> 8), static_cast<std::uint8_t>(wire)});
}

Bytes set_mode_request(std::uint8_t address, std::uint8_t mode_byte) {
    return request_frame(address, CommandCode::SetMode, {mode_byte});
}

Bytes set_address_request(std::uint8_t address, std::uint8_t new_address) {
    return request_frame(address, CommandCode::SetAddress, {new_address});
}

std::optional<Bytes> four_byte_request(std::uint8_t address, CommandCode code, std::int64_t value) {
    const std::optional<Bytes> number = four_bytes(value);
    if (!number) {
        return std::nullopt;
    }
    return request_frame(address, code, *number);
}

std::optional<Bytes> write_serial_number_request(std::uint8_t address, std::int64_t serial_number) {
    return four_byte_request(address, CommandCode::WriteSerialNumber, serial_number);
}

Bytes network_scan_request() {
    return with_crc({kRequestPrefix, kBroadcastAddress});
}

}  // namespace qm720
