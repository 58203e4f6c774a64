#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "trend/trend_history.h"
#include "trend/trend_span.h"

namespace qm720 {

enum class TrendQuantity { Level, Temperature, CurrentValue };

double quantity_value(TrendQuantity quantity, const MeasurementFields& fields);

struct TrendSample {
    TrendTime time;
    double value = 0;
};

// One line as drawn: samples a line may join.
using TrendLine = std::vector<TrendSample>;

// One sensor's quantity over `shown`: a line for each stretch that reaches into it, with the
// reading just outside either edge so that a line runs on to the edge. A line of more than
// `most_samples` readings is thinned for drawing: each of `most_samples / 2` equal slices of the
// range keeps its lowest and highest reading in the order they came, so a spike stays visible;
// the line's first and last readings always stay.
std::vector<TrendLine> trend_lines(const TrendHistory& history, std::uint8_t address,
                                   TrendQuantity quantity, const TimeRange& shown,
                                   std::size_t most_samples);

}  // namespace qm720
