#include "trend/trend_history.h"

#include <algorithm>

namespace qm720 {

void TrendHistory::add_reading(TrendTime time, const MeasurementFields& fields, bool new_sensor) {
    note_tick(time);
    if (line_broken_ || new_sensor || stretches_.back().address != fields.address) {
        stretches_.push_back({fields.address, readings_.size(), readings_.size()});
    }
    if (std::find(addresses_.begin(), addresses_.end(), fields.address) == addresses_.end()) {
        addresses_.push_back(fields.address);
    }
    readings_.push_back({*last_tick_, fields});
    ++stretches_.back().end;
    line_broken_ = false;
}

void TrendHistory::break_line() {
    line_broken_ = true;
}

void TrendHistory::add_marker(TrendTime time, std::string_view text) {
    note_tick(time);
    std::optional<std::uint8_t> address;
    if (!readings_.empty()) {
        address = readings_.back().fields.address;
    }
    markers_.push_back({*last_tick_, std::string(text), address});
}

void TrendHistory::note_tick(TrendTime time) {
    last_tick_ = not_before_last(time);
    if (!first_tick_) {
        first_tick_ = last_tick_;
    }
}

TrendTime TrendHistory::not_before_last(TrendTime time) const {
    return last_tick_ ? std::max(time, *last_tick_) : time;
}

}  // namespace qm720
