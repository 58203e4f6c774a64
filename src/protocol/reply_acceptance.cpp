#include "protocol/reply_acceptance.h"

#include <array>

#include "protocol/reply_fields.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

// The codes a sensor confirms a command with: the command's own.
constexpr std::array<CommandCode, 9> kConfirmedCommands = {
    CommandCode::SetMode,           CommandCode::CalibrateFull, CommandCode::CalibrateEmpty,
    CommandCode::ShiftFull,         CommandCode::ShiftEmpty,    CommandCode::SetAddress,
    CommandCode::WriteSerialNumber, CommandCode::EnterPassword, CommandCode::ChangePassword,
};

bool is_confirmation_code(std::uint8_t code) {
    if (code == kPasswordRefusedCode) {
        return true;
    }
    for (const CommandCode command : kConfirmedCommands) {
        if (code_of(command) == code) {
            return true;
        }
    }
    return false;
}

bool answers_request(std::uint8_t code, const Bytes& asked) {
    if (asked.size() <= kCodeOffset) {
        return false;
    }
    const std::uint8_t asked_code = asked[kCodeOffset];
    if (code == kPasswordRefusedCode) {
        return asked_code == code_of(CommandCode::EnterPassword) ||
               asked_code == code_of(CommandCode::ChangePassword);
    }
    return asked_code == code;
}

// A sensor given a new address may confirm it from the old address or already from the new.
bool from_sensor_asked(const Bytes& frame, const Bytes& asked) {
    if (asked.size() <= kAddressOffset) {
        return false;
    }
    const std::uint8_t address = frame[kAddressOffset];
    const bool new_address = asked.size() > kPayloadOffset &&
                             asked[kCodeOffset] == code_of(CommandCode::SetAddress) &&
                             asked[kPayloadOffset] == address;
    return asked[kAddressOffset] == kBroadcastAddress || asked[kAddressOffset] == address ||
           new_address;
}

bool from_reading_address(const Bytes& frame, const ReplyExpectation& expected) {
    return !expected.reading_address || frame[kAddressOffset] == *expected.reading_address;
}

bool is_broadcast_poll(const Bytes& asked) {
    return asked.size() > kCodeOffset && asked[kAddressOffset] == kBroadcastAddress &&
           asked[kCodeOffset] == code_of(CommandCode::Poll);
}

// Noise before the frame has been ruled out already for a damaged frame: what is left is either
// a clean line or an intact frame.
ReplyKind kind_of(const Bytes& frame, bool intact, const ReplyExpectation& expected) {
    const std::uint8_t code = frame[kCodeOffset];
    if (code == code_of(CommandCode::Poll)) {
        const bool from_polled =
            (expected.broadcast_poll_answered_by_anyone && is_broadcast_poll(expected.asked)) ||
            from_reading_address(frame, expected);
        return intact && frame.size() >= kShortestMeasurement && from_polled
                   ? ReplyKind::Measurement
                   : ReplyKind::Unusable;
    }
    if (code == code_of(CommandCode::Identity)) {
        return intact && from_reading_address(frame, expected) ? ReplyKind::Identity
                                                               : ReplyKind::Unusable;
    }
    if (code == kParameterReplyCode) {
        return intact ? ReplyKind::ParameterReply : ReplyKind::Unusable;
    }
    if (is_confirmation_code(code)) {
        const bool trusted =
            expected.lenient_confirmations || (intact && from_sensor_asked(frame, expected.asked));
        return trusted && answers_request(code, expected.asked) ? ReplyKind::Confirmation
                                                                : ReplyKind::Unusable;
    }
    // Only the sensor asked can say that it did not understand the request; a damaged frame,
    // or one from another address, is more likely noise than a sensor.
    return intact && from_sensor_asked(frame, expected.asked) ? ReplyKind::Unrecognised
                                                              : ReplyKind::Unusable;
}

}  // namespace

JudgedReply judge_reply(const Bytes& read, const ReplyExpectation& expected) {
    LocatedReply located = locate_reply(read);
    JudgedReply judged{
        .kind = ReplyKind::Unusable, .frame = std::move(located.frame), .intact = false};
    if (!is_reply_frame(judged.frame)) {
        return judged;
    }
    judged.intact = reply_intact(judged.frame);
    if (located.after_noise && !judged.intact) {
        return judged;
    }
    judged.kind = kind_of(judged.frame, judged.intact, expected);
    return judged;
}

}  // namespace qm720
