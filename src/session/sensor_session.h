#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/bytes.h"
#include "protocol/reply_fields.h"
#include "protocol/requests.h"
#include "serial/serial_port.h"
#include "session/stability_lamp.h"

namespace qm720 {

// What one tick's read turned out to be, judged against the request it answers.

// Nothing came, though the tick before may have asked.
struct NoAnswer {};
// The tick's request did not go out whole; it is dropped. After three failures in a row the
// fourth closes the port.
struct WriteFailed {
    std::string reason;  // empty when the driver gave none
    bool close_port = false;
};
// An intact measurement of the selected sensor (or of anyone, after a broadcast poll).
struct MeasurementTaken {
    MeasurementFields fields;
    Steadiness steadiness = Steadiness::Settling;
    // The level bar's full scale as it stood when the reply came: this reply's mode byte, when it
    // is drawn, sets the scale for the replies after it.
    std::int16_t level_full_scale = 1024;
    std::optional<std::uint8_t> mode_to_draw;  // onto the mode controls
    std::optional<std::uint8_t> drawn_mode;    // the mode on the controls after this reply
    // A request went unanswered before: this may be another sensor at the same address, so
    // nothing shown of the last one may stay.
    bool new_sensor = false;
};
struct IdentityTaken {
    std::optional<IdentityFields> fields;  // none when too short to hold a serial number
    bool new_sensor = false;
};
// The sensor confirmed the mode written; the mode byte when it came intact.
struct ModeConfirmed {
    std::optional<std::uint8_t> mode;
};
// The sensor confirmed a command other than the mode.
struct CommandConfirmed {
    CommandCode command;
};
struct PasswordRefused {};
struct ParameterReply {};
// An intact frame of a code nobody knows, from the sensor asked.
struct Unrecognised {};
// Noise, damage, another sensor, or an answer to nothing that was asked.
struct Unusable {};
// The read after the scan request: one address a byte, as the bytes came. Empty when the read
// was too long to be a list.
struct ScanAnswer {
    std::vector<std::uint8_t> addresses;
};

using TickEvent = std::variant<NoAnswer, WriteFailed, MeasurementTaken, IdentityTaken,
                               ModeConfirmed, CommandConfirmed, PasswordRefused, ParameterReply,
                               Unrecognised, Unusable, ScanAnswer>;

struct TickOutcome {
    Bytes request;  // chosen for this tick; empty when nothing was to be asked
    TickEvent event;
    // The read as judged, line noise dropped (the scan answer whole), and the CRC computed here
    // over it: an intact frame ends in two equal bytes. Empty when nothing was read.
    Bytes reply;
    std::uint8_t local_crc = 0;
    // This tick's read was unusable and the last ones were too: the readings on show are stale.
    bool readings_stale = false;
};

// One exchange with the sensors and what is known of the selected one. Each tick reads the
// answer to the request the tick before wrote, writes this tick's request (a command queued by
// the operator, an identity request for a sensor not yet asked, or a poll) and judges the read.
// The session knows no control: it says what happened and the window shows it.
class SensorSession {
  public:
    explicit SensorSession(SerialPort& port) : port_(port) {}

    // A command for the next tick to write in place of its poll; empty drops a queued one.
    void queue(Bytes request);
    const Bytes& queued_request() const { return pending_request_; }
    // "Опрос сети": the scan goes out with the next tick, and the mode controls are redrawn
    // from the next reply.
    void start_network_scan();

    // `selected`: the address the operator chose, if any; `poll_every_address` polls 255.
    TickOutcome tick(std::optional<std::uint8_t> selected, bool poll_every_address);

    // Whoever follows the readings besides the main window (the trend window) is handed every
    // tick's outcome, after the session has learnt from it.
    using Follower = std::function<void(const TickOutcome&)>;
    void add_follower(Follower follower);

    // A clean slate: forgets all that was learnt of the selected sensor, so that nothing of one
    // sensor is acted on as another's; the next tick asks the sensor then selected who it is.
    void forget_sensor();
    // The port opened: nothing queued before belongs to the line now, and failures count anew.
    void start_link();

    // Learnt of the selected sensor since the last clean slate.
    bool measurement_seen() const { return measurement_seen_; }
    bool identity_known() const { return identity_known_; }
    // The mode byte of its last measurement that carried one.
    std::optional<std::uint8_t> mode_byte() const { return mode_byte_; }

    // The mode on the controls (none before the first drawn), whether the next reply's mode byte
    // is drawn, and the level bar's full scale that mode sets.
    std::optional<std::uint8_t> drawn_mode() const { return drawn_mode_; }
    bool redraws_mode_from_next_reply() const { return redraw_mode_from_next_reply_; }
    std::int16_t level_full_scale() const { return level_full_scale_; }

    std::uint8_t unusable_ticks() const { return unusable_ticks_; }

  private:
    void choose_request(std::optional<std::uint8_t> selected, bool poll_every_address);
    WriteFailed take_write_failure();
    void arm_mode_redraw(const Bytes& written);
    TickEvent judge(const Bytes& read, const Bytes& answered_request,
                    std::optional<std::uint8_t> selected, Bytes& shown);
    TickEvent take_scan_answer(const Bytes& read);
    TickEvent take_measurement(const Bytes& frame);
    TickEvent take_identity(const Bytes& frame);
    TickEvent take_confirmation(const Bytes& frame, bool intact);
    void ask_identity_again();
    void draw_mode(std::uint8_t mode);
    bool count_unusable(const TickEvent& event);

    TickOutcome run_tick(std::optional<std::uint8_t> selected, bool poll_every_address);

    SerialPort& port_;
    std::vector<Follower> followers_;

    // The request the next tick writes; empty when the tick should poll.
    Bytes pending_request_;
    // The request the last tick wrote: the next read is its answer, and nothing else is.
    Bytes written_request_;
    // The address whose identity was last asked for: a new selection is asked for its own. None
    // after a clean slate, so the sensor then selected is asked even at the same address.
    std::optional<std::uint8_t> identity_address_;
    // Identity replies rejected in a row, each asked for again, up to a limit.
    std::uint8_t identity_requests_repeated_ = 0;
    // Failed writes in a row; the fourth closes the port.
    std::uint8_t write_failures_ = 0;
    // Ticks in a row whose bytes held nothing that could be used.
    std::uint8_t unusable_ticks_ = 0;
    // A request went unanswered since the last good reply: the sensor that answers next may have
    // been swapped in at the same address.
    bool silence_seen_ = false;
    // A mode was written: the mode controls are redrawn from the answer to the first poll
    // written after it, not from a measurement that was already on its way.
    bool mode_redraw_after_poll_ = false;

    StabilityLamp lamp_;
    bool measurement_seen_ = false;
    bool identity_known_ = false;
    std::optional<std::uint8_t> mode_byte_;
    bool redraw_mode_from_next_reply_ = true;
    std::optional<std::uint8_t> drawn_mode_;
    std::int16_t level_full_scale_ = 1024;
};

}  // namespace qm720
