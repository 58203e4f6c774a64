#pragma once

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <cstdint>
#include <vector>

#include "trend/trend_lines.h"
#include "trend/trend_span.h"

namespace qm720::gui {

// The trend as Qt Charts draws it: level on the left axis, temperature on the right, the current
// value on a second right axis when asked for, wall-clock time along the bottom. Each sensor's
// quantity is one trace in the legend ("Уровень, адрес 1"); each unbroken stretch of it is a line
// series of its own, since a line series joins every point it holds. A confirmed command is a
// vertical line labelled with its status text.
class TrendChart : public QChart {
  public:
    TrendChart();

    void draw(const TrendHistory& history, const TimeRange& shown, bool current_value_shown);

    // Where x (in the chart's coordinates) lies across the plot area: 0 at its left edge, 1 at
    // its right.
    double fraction_across_plot(qreal x) const;

  private:
    struct Trace {
        std::uint8_t address;
        TrendQuantity quantity;
        std::size_t number;  // the sensor's place among the traces: its colour
        std::vector<QLineSeries*> lines;
    };

    Trace& trace(std::uint8_t address, TrendQuantity quantity, std::size_t trace_number);
    QLineSeries* add_line(const Trace& trace);
    QValueAxis* axis_of(TrendQuantity quantity) const;
    void draw_trace(const TrendHistory& history, const TimeRange& shown, Trace& trace,
                    std::size_t most_samples);
    void draw_markers(const TrendHistory& history);
    void fit_value_axes(bool current_value_shown);

    QDateTimeAxis* time_axis_;
    QValueAxis* level_axis_;
    QValueAxis* temperature_axis_;
    QValueAxis* current_value_axis_;
    QValueAxis* marker_axis_;  // hidden, 0 to 1: a marker spans the plot whatever the values
    std::vector<Trace> traces_;
    std::vector<QLineSeries*> markers_;
};

}  // namespace qm720::gui
