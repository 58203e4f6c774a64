#include "trend/trend_recorder.h"

#include <utility>

namespace qm720 {

namespace {

// Ticks that leave the curve where it is: the sensor answered, but with no reading.
constexpr bool answered_without_reading(const TickEvent& event) {
    return std::holds_alternative<IdentityTaken>(event) ||
           std::holds_alternative<ModeConfirmed>(event) ||
           std::holds_alternative<CommandConfirmed>(event) ||
           std::holds_alternative<PasswordRefused>(event) ||
           std::holds_alternative<ParameterReply>(event) ||
           std::holds_alternative<ScanAnswer>(event);
}

constexpr bool confirms_command(const TickEvent& event) {
    return std::holds_alternative<ModeConfirmed>(event) ||
           std::holds_alternative<CommandConfirmed>(event);
}

}  // namespace

TrendRecorder::TrendRecorder(Now now, ConfirmationText confirmation_text)
    : now_(std::move(now)), confirmation_text_(std::move(confirmation_text)) {}

void TrendRecorder::follow(SensorSession& session) {
    session.add_follower([this](const TickOutcome& outcome) { record(outcome); });
}

void TrendRecorder::record(const TickOutcome& outcome) {
    const TrendTime time = now_();
    if (const auto* measurement = std::get_if<MeasurementTaken>(&outcome.event)) {
        history_.add_reading(time, measurement->fields, measurement->new_sensor);
    } else {
        history_.note_tick(time);
        if (!answered_without_reading(outcome.event)) {
            history_.break_line();
        }
    }
    if (confirms_command(outcome.event)) {
        if (const auto text = confirmation_text_(outcome.event)) {
            history_.add_marker(time, *text);
        }
    }
    if (listener_) {
        listener_();
    }
}

}  // namespace qm720
