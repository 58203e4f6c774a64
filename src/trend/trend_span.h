#pragma once

#include <chrono>

#include "trend/trend_history.h"

namespace qm720 {

struct TimeRange {
    TrendTime from;
    TrendTime to;

    auto width() const { return to - from; }
};

// Which stretch of time the chart shows: by default the last ten minutes (all of a younger
// session), moving on with every tick; "Весь сеанс" all of it; a zoom or a pan holds the range
// where the operator put it until "Сейчас" follows again.
class TrendSpan {
  public:
    static constexpr std::chrono::milliseconds kFollowed = std::chrono::minutes(10);
    static constexpr std::chrono::milliseconds kNarrowest = std::chrono::seconds(10);

    // The range shown for a session whose ticks ran from `first` to `last`.
    TimeRange range(TrendTime first, TrendTime last) const;

    void follow() { mode_ = Mode::Following; }
    void show_whole_session() { mode_ = Mode::WholeSession; }
    // From `shown`: `factor` above 1 widens, below 1 narrows (never under kNarrowest), keeping
    // the time at `anchor` where it is on the axis.
    void zoom(const TimeRange& shown, TrendTime anchor, double factor);
    void pan(const TimeRange& shown, std::chrono::milliseconds by);

  private:
    enum class Mode { Following, WholeSession, Held };
    Mode mode_ = Mode::Following;
    TimeRange held_{};
};

}  // namespace qm720
