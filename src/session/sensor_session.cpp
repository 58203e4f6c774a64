#include "session/sensor_session.h"

#include <utility>

#include "protocol/mode_bits.h"
#include "protocol/reply_acceptance.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"

namespace qm720 {

namespace {

constexpr std::uint8_t kFailuresTolerated = 3;
// One or two bad answers in a row are the line's ordinary hiccups; three are news.
constexpr std::uint8_t kUnusableTicksTolerated = 2;
// One damaged byte would show, log and offer for "next number" a serial the sensor never had;
// a rejected identity is asked for again a few times rather than left unknown.
constexpr std::uint8_t kRepeatsAfterRejection = 3;
constexpr std::size_t kLongestScanAnswer = 19;
constexpr std::int16_t kFullScale1024 = 1024;
constexpr std::int16_t kFullScale4096 = 4096;

bool is_request_with_code(const Bytes& request, CommandCode code) {
    return request.size() > kCodeOffset && request[kCodeOffset] == code_of(code);
}

}  // namespace

void SensorSession::queue(Bytes request) {
    pending_request_ = std::move(request);
}

void SensorSession::start_network_scan() {
    pending_request_ = network_scan_request();
    redraw_mode_from_next_reply_ = true;
}

void SensorSession::forget_sensor() {
    // The lamp judges one sensor's run of values; the next sensor's first reply redraws the mode
    // controls, the next tick asks it who it is, and until it has answered nothing of its state
    // is known.
    lamp_ = {};
    redraw_mode_from_next_reply_ = true;
    mode_byte_.reset();
    measurement_seen_ = false;
    identity_known_ = false;
    unusable_ticks_ = 0;
    identity_address_.reset();
    identity_requests_repeated_ = 0;
    silence_seen_ = false;
    mode_redraw_after_poll_ = false;
}

void SensorSession::start_link() {
    // A command confirmed while the port was closed was meant for no sensor in particular.
    pending_request_.clear();
    write_failures_ = 0;
}

void SensorSession::add_follower(Follower follower) {
    followers_.push_back(std::move(follower));
}

TickOutcome SensorSession::tick(std::optional<std::uint8_t> selected, bool poll_every_address) {
    TickOutcome outcome = run_tick(selected, poll_every_address);
    for (const Follower& follower : followers_) {
        follower(outcome);
    }
    return outcome;
}

TickOutcome SensorSession::run_tick(std::optional<std::uint8_t> selected, bool poll_every_address) {
    choose_request(selected, poll_every_address);
    TickOutcome outcome;
    outcome.request = pending_request_;
    lamp_.count_down_hold();

    const Bytes read = port_.read();
    // Whatever is still buffered belongs to no request of ours: without this, one burst of
    // noise would put every later answer a tick behind its request.
    port_.discard_input();
    const Bytes answered_request = std::exchange(written_request_, {});
    if (port_.write(pending_request_) != pending_request_.size()) {
        outcome.event = take_write_failure();
        return outcome;
    }
    write_failures_ = 0;
    written_request_ = std::exchange(pending_request_, {});
    arm_mode_redraw(written_request_);
    if (read.empty()) {
        // Only a request left unanswered is silence; the first tick after opening asked nothing.
        silence_seen_ = silence_seen_ || !answered_request.empty();
        return outcome;
    }
    outcome.event = judge(read, answered_request, selected, outcome.reply);
    outcome.local_crc = reply_check_crc(outcome.reply);
    port_.wait_until_sent();
    outcome.readings_stale = count_unusable(outcome.event);
    return outcome;
}

void SensorSession::choose_request(std::optional<std::uint8_t> selected, bool poll_every_address) {
    if (selected && selected != identity_address_) {
        pending_request_ = identity_request(*selected);
        identity_address_ = *selected;
    }
    if (pending_request_.empty() && selected) {
        pending_request_ = poll_request(poll_every_address ? kBroadcastAddress : *selected);
    }
}

WriteFailed SensorSession::take_write_failure() {
    WriteFailed failure{.reason = port_.last_write_failure(),
                        .close_port = write_failures_ >= kFailuresTolerated};
    if (!failure.close_port) {
        ++write_failures_;
    }
    pending_request_.clear();
    return failure;
}

// A mode write makes the answer to the next poll redraw the mode controls; the measurement read
// in the meantime was asked for before the write and still carries the old mode.
void SensorSession::arm_mode_redraw(const Bytes& written) {
    if (is_request_with_code(written, CommandCode::SetMode)) {
        redraw_mode_from_next_reply_ = false;
        mode_redraw_after_poll_ = true;
    } else if (mode_redraw_after_poll_ && is_request_with_code(written, CommandCode::Poll)) {
        redraw_mode_from_next_reply_ = true;
        mode_redraw_after_poll_ = false;
    }
}

// The window takes any sensor's measurement after a broadcast poll, and a confirmation on a
// clean line whatever its CRC, since the sensor did act; everything else needs an intact frame.
TickEvent SensorSession::judge(const Bytes& read, const Bytes& answered_request,
                               std::optional<std::uint8_t> selected, Bytes& shown) {
    // The read after the scan is the scan answer whatever it looks like: bare address bytes, any
    // of which may be 0x3E or look like noise.
    if (answered_request == network_scan_request()) {
        shown = read;
        return take_scan_answer(read);
    }
    JudgedReply reply = judge_reply(read, {.asked = answered_request,
                                           .reading_address = selected,
                                           .broadcast_poll_answered_by_anyone = true,
                                           .lenient_confirmations = true});
    shown = reply.frame;
    switch (reply.kind) {
        case ReplyKind::Measurement:
            return take_measurement(reply.frame);
        case ReplyKind::Identity:
            return take_identity(reply.frame);
        case ReplyKind::Confirmation:
            return take_confirmation(reply.frame, reply.intact);
        case ReplyKind::ParameterReply:
            return ParameterReply{};
        case ReplyKind::Unrecognised:
            return Unrecognised{};
        case ReplyKind::Unusable:
            break;
    }
    if (is_reply_frame(reply.frame) && reply.frame[kCodeOffset] == code_of(CommandCode::Identity)) {
        ask_identity_again();
    }
    return Unusable{};
}

TickEvent SensorSession::take_scan_answer(const Bytes& read) {
    if (read.size() > kLongestScanAnswer) {
        return ScanAnswer{};
    }
    // The first sensor found is asked who it is by the next tick.
    pending_request_ = identity_request(read.front());
    return ScanAnswer{.addresses = {read.begin(), read.end()}};
}

// A request left unanswered since the last good reply may hide a swap: a sensor taken off the
// line and another put on at the same address. Its first measurement is then taken as a new
// sensor's, and the next tick asks it who it is.
TickEvent SensorSession::take_measurement(const Bytes& frame) {
    const bool new_sensor = silence_seen_;
    if (new_sensor) {
        forget_sensor();
    }
    const auto fields = measurement_fields(frame);
    if (!fields) {
        return Unusable{};
    }
    MeasurementTaken taken;
    taken.fields = *fields;
    taken.steadiness = lamp_.after_reply(fields->current_value);
    taken.level_full_scale = level_full_scale_;
    taken.new_sensor = new_sensor;
    measurement_seen_ = true;
    if (fields->mode_byte) {
        mode_byte_ = fields->mode_byte;
        if (redraw_mode_from_next_reply_) {
            taken.mode_to_draw = fields->mode_byte;
            draw_mode(*fields->mode_byte);
        }
    }
    taken.drawn_mode = drawn_mode_;
    return taken;
}

TickEvent SensorSession::take_identity(const Bytes& frame) {
    const bool new_sensor = silence_seen_;
    if (new_sensor) {
        forget_sensor();
        identity_address_ = frame[kAddressOffset];  // asked and answered
    }
    identity_requests_repeated_ = 0;
    identity_known_ = true;
    return IdentityTaken{.fields = identity_fields(frame), .new_sensor = new_sensor};
}

TickEvent SensorSession::take_confirmation(const Bytes& frame, bool intact) {
    const std::uint8_t code = frame[kCodeOffset];
    if (code == kPasswordRefusedCode) {
        return PasswordRefused{};
    }
    if (code != code_of(CommandCode::SetMode)) {
        return CommandConfirmed{static_cast<CommandCode>(code)};
    }
    // Without a mode byte, or with a damaged one, the controls keep their picture rather than
    // show a mode the sensor does not have.
    ModeConfirmed confirmed;
    if (intact && holds(frame, kConfirmedModeField)) {
        confirmed.mode = frame[kConfirmedModeField.offset];
        draw_mode(*confirmed.mode);
    }
    return confirmed;
}

void SensorSession::ask_identity_again() {
    if (identity_requests_repeated_ < kRepeatsAfterRejection) {
        ++identity_requests_repeated_;
        identity_address_.reset();
    }
}

void SensorSession::draw_mode(std::uint8_t mode) {
    level_full_scale_ = (mode & kRange4096Bit) != 0 ? kFullScale4096 : kFullScale1024;
    redraw_mode_from_next_reply_ = false;
    drawn_mode_ = mode;
}

// A measurement ends a run of unusable ticks; confirmations, identities and scan answers neither
// count nor break it. Returns whether this tick makes the run too long.
bool SensorSession::count_unusable(const TickEvent& event) {
    if (std::holds_alternative<MeasurementTaken>(event)) {
        unusable_ticks_ = 0;
        return false;
    }
    if (!std::holds_alternative<Unusable>(event) && !std::holds_alternative<Unrecognised>(event)) {
        return false;
    }
    if (unusable_ticks_ <= kUnusableTicksTolerated) {
        ++unusable_ticks_;
    }
    return unusable_ticks_ > kUnusableTicksTolerated;
}

}  // namespace qm720
