#include "trend/trend_lines.h"

#include <algorithm>

namespace qm720 {

namespace {

struct Slice {
    std::size_t lowest;
    std::size_t highest;
};

// The readings of [first, last) that a thinned line keeps, in the order they came.
TrendLine thinned(std::span<const TrendReading> readings, std::size_t first, std::size_t last,
                  TrendQuantity quantity, const TimeRange& shown, std::size_t most_samples) {
    const auto value = [&](std::size_t index) {
        return quantity_value(quantity, readings[index].fields);
    };
    const auto sample = [&](std::size_t index) {
        return TrendSample{readings[index].time, value(index)};
    };
    const std::int64_t slices =
        static_cast<std::int64_t>(std::max<std::size_t>(most_samples / 2, 1));
    const std::int64_t width = std::max<std::int64_t>((shown.to - shown.from).count(), 1);
    const auto slice_of = [&](std::size_t index) {
        const std::int64_t offset = (readings[index].time - shown.from).count();
        return std::clamp<std::int64_t>(offset * slices / width, 0, slices - 1);
    };

    TrendLine line{sample(first)};
    const auto keep = [&](const Slice& slice) {
        const auto [earlier, later] = std::minmax(slice.lowest, slice.highest);
        for (const std::size_t index : {earlier, later}) {
            const bool kept_anyway = index == first || index == last - 1;
            const bool kept_just_now = index == later && later == earlier;
            if (!kept_anyway && !kept_just_now) {
                line.push_back(sample(index));
            }
        }
    };
    Slice slice{first, first};
    std::int64_t slice_number = slice_of(first);
    for (std::size_t index = first + 1; index < last; ++index) {
        if (const std::int64_t number = slice_of(index); number != slice_number) {
            keep(slice);
            slice = {index, index};
            slice_number = number;
        } else if (value(index) < value(slice.lowest)) {
            slice.lowest = index;
        } else if (value(index) > value(slice.highest)) {
            slice.highest = index;
        }
    }
    keep(slice);
    line.push_back(sample(last - 1));
    return line;
}

}  // namespace

double quantity_value(TrendQuantity quantity, const MeasurementFields& fields) {
    switch (quantity) {
        case TrendQuantity::Level:
            return fields.level;
        case TrendQuantity::Temperature:
            return fields.temperature;
        case TrendQuantity::CurrentValue:
            return fields.current_value;
    }
    return 0;
}

std::vector<TrendLine> trend_lines(const TrendHistory& history, std::uint8_t address,
                                   TrendQuantity quantity, const TimeRange& shown,
                                   std::size_t most_samples) {
    const std::span<const TrendReading> readings = history.readings();
    const auto earlier = [](const TrendReading& reading, TrendTime time) {
        return reading.time < time;
    };
    const auto later = [](TrendTime time, const TrendReading& reading) {
        return time < reading.time;
    };
    std::vector<TrendLine> lines;
    for (const TrendStretch& stretch : history.stretches()) {
        if (stretch.address != address || readings[stretch.end - 1].time < shown.from ||
            shown.to < readings[stretch.begin].time) {
            continue;
        }
        const auto begin = readings.begin() + static_cast<std::ptrdiff_t>(stretch.begin);
        const auto end = readings.begin() + static_cast<std::ptrdiff_t>(stretch.end);
        auto first = std::lower_bound(begin, end, shown.from, earlier);
        auto last = std::upper_bound(first, end, shown.to, later);
        first = first == begin ? first : first - 1;
        last = last == end ? last : last + 1;
        const auto first_index = static_cast<std::size_t>(first - readings.begin());
        const auto last_index = static_cast<std::size_t>(last - readings.begin());
        if (last_index - first_index <= most_samples) {
            TrendLine& line = lines.emplace_back();
            for (std::size_t index = first_index; index < last_index; ++index) {
                line.push_back(
                    {readings[index].time, quantity_value(quantity, readings[index].fields)});
            }
        } else {
            lines.push_back(
                thinned(readings, first_index, last_index, quantity, shown, most_samples));
        }
    }
    return lines;
}

}  // namespace qm720
