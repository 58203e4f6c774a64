#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "session/sensor_session.h"
#include "trend/trend_history.h"

namespace qm720 {

// Keeps the trend of a session from the outcomes the session hands its followers, so the trend
// costs the bus nothing. Qt-free: the window only draws what this holds.
class TrendRecorder {
  public:
    using Now = std::function<TrendTime()>;
    // The status line's text of a confirmation (the main window's own), none for other events.
    using ConfirmationText = std::function<std::optional<std::string_view>(const TickEvent&)>;

    TrendRecorder(Now now, ConfirmationText confirmation_text);

    // Records every outcome of `session` from now on; the recorder must outlive it.
    void follow(SensorSession& session);
    void record(const TickOutcome& outcome);

    const TrendHistory& history() const { return history_; }
    TrendTime now() const { return now_(); }

    // Told after every outcome recorded (the open trend window redraws); one listener at most,
    // an empty one stops telling.
    void set_listener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    Now now_;
    ConfirmationText confirmation_text_;
    TrendHistory history_;
    std::function<void()> listener_;
};

}  // namespace qm720
