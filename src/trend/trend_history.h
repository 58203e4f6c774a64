#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/reply_fields.h"

namespace qm720 {

// Wall-clock time to the millisecond, as the chart's time axis and the CSV read it.
using TrendTime = std::chrono::sys_time<std::chrono::milliseconds>;

// One intact measurement as it arrived.
struct TrendReading {
    TrendTime time;
    MeasurementFields fields;
};

// Readings in a row from one sensor with no unusable tick between them: the only points a line
// may join. Indexes into the session's readings.
struct TrendStretch {
    std::uint8_t address = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A command the sensor confirmed, with the status line's text, at the time the confirmation came.
struct TrendMarker {
    TrendTime time;
    std::string text;
    std::optional<std::uint8_t> address;  // of the sensor followed then, if any had answered
};

// Everything the trend has seen of the session, kept whole: readings in the order they came,
// the stretches they form, the markers.
class TrendHistory {
  public:
    // A reading joins the stretch before it only when it comes from the same sensor and nothing
    // unusable came between; `new_sensor` says the session suspects a swap at the same address.
    void add_reading(TrendTime time, const MeasurementFields& fields, bool new_sensor = false);
    // A tick without a usable answer: the next reading starts a new stretch.
    void break_line();
    void add_marker(TrendTime time, std::string_view text);
    // Any tick, usable or not: the time the trend has been followed up to.
    void note_tick(TrendTime time);

    std::span<const TrendReading> readings() const { return readings_; }
    std::span<const TrendStretch> stretches() const { return stretches_; }
    std::span<const TrendMarker> markers() const { return markers_; }
    // The addresses that gave readings, in the order each first did: one trace each.
    const std::vector<std::uint8_t>& addresses() const { return addresses_; }

    // The first and the last tick noted; none before the first.
    std::optional<TrendTime> first_tick() const { return first_tick_; }
    std::optional<TrendTime> last_tick() const { return last_tick_; }

  private:
    // A wall clock set back must not unsort the readings the chart searches by time.
    TrendTime not_before_last(TrendTime time) const;

    std::vector<TrendReading> readings_;
    std::vector<TrendStretch> stretches_;
    std::vector<TrendMarker> markers_;
    std::vector<std::uint8_t> addresses_;
    bool line_broken_ = true;
    std::optional<TrendTime> first_tick_;
    std::optional<TrendTime> last_tick_;
};

}  // namespace qm720
