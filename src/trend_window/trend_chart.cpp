#include "trend_window/trend_chart.h"

#include <QDateTime>
#include <QLegendMarker>
#include <QPen>
#include <algorithm>
#include <array>
#include <limits>

#include "gui/text.h"

namespace qm720::gui {

namespace {

// Sensors apart by colour, and quantities by colour and line style, so that lines that happen to
// lie on one another stay apart.
constexpr std::array<QRgb, 6> kTraceColours = {0x1f77b4, 0xd62728, 0x2ca02c,
                                               0x9467bd, 0xff7f0e, 0x8c564b};

QString quantity_name(TrendQuantity quantity) {
    switch (quantity) {
        case TrendQuantity::Level:
            return QStringLiteral("Уровень");
        case TrendQuantity::Temperature:
            return QStringLiteral("Температура, °C");
        case TrendQuantity::CurrentValue:
            return QStringLiteral("Текущее значение");
    }
    return {};
}

QPen trace_pen(TrendQuantity quantity, std::size_t trace_number) {
    const std::size_t colour = trace_number * 3 + static_cast<std::size_t>(quantity);
    QPen pen(QColor(kTraceColours[colour % kTraceColours.size()]));
    pen.setWidthF(quantity == TrendQuantity::Level ? 2.0 : 1.5);
    pen.setStyle(quantity == TrendQuantity::Level         ? Qt::SolidLine
                 : quantity == TrendQuantity::Temperature ? Qt::DashLine
                                                          : Qt::DotLine);
    return pen;
}

qreal chart_time(TrendTime time) {
    return static_cast<qreal>(time.time_since_epoch().count());
}

QValueAxis* value_axis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    return axis;
}

struct ValueRange {
    double lowest = std::numeric_limits<double>::max();
    double highest = std::numeric_limits<double>::lowest();

    void take(double value) {
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
};

// The values with a little room above and below; a flat line sits in the middle.
void fit(QValueAxis& axis, const ValueRange& values, double lowest_by_default,
         double highest_by_default) {
    if (values.lowest > values.highest) {
        axis.setRange(lowest_by_default, highest_by_default);
        return;
    }
    const double room = std::max((values.highest - values.lowest) * 0.05, 1.0);
    axis.setRange(values.lowest - room, values.highest + room);
    axis.applyNiceNumbers();
}

}  // namespace

TrendChart::TrendChart()
    : time_axis_(new QDateTimeAxis),
      level_axis_(value_axis(quantity_name(TrendQuantity::Level))),
      temperature_axis_(value_axis(quantity_name(TrendQuantity::Temperature))),
      current_value_axis_(value_axis(quantity_name(TrendQuantity::CurrentValue))),
      marker_axis_(new QValueAxis) {
    current_value_axis_->setLabelFormat(QStringLiteral("%.0f"));  // never in exponent form
    time_axis_->setFormat(QStringLiteral("HH:mm:ss"));
    time_axis_->setTitleText(QStringLiteral("Время"));
    marker_axis_->setRange(0, 1);
    marker_axis_->setVisible(false);
    addAxis(time_axis_, Qt::AlignBottom);
    addAxis(level_axis_, Qt::AlignLeft);
    addAxis(temperature_axis_, Qt::AlignRight);
    addAxis(current_value_axis_, Qt::AlignRight);
    addAxis(marker_axis_, Qt::AlignLeft);
    legend()->setAlignment(Qt::AlignBottom);
}

double TrendChart::fraction_across_plot(qreal x) const {
    const QRectF plot = plotArea();
    return plot.width() > 0 ? (x - plot.left()) / plot.width() : 0.0;
}

void TrendChart::draw(const TrendHistory& history, const TimeRange& shown,
                      bool current_value_shown) {
    time_axis_->setRange(QDateTime::fromMSecsSinceEpoch(shown.from.time_since_epoch().count()),
                         QDateTime::fromMSecsSinceEpoch(shown.to.time_since_epoch().count()));
    // Two samples a pixel column at most: thinning finer than that shows nothing more.
    const auto most_samples = static_cast<std::size_t>(std::max(plotArea().width(), 200.0)) * 2;
    const auto& addresses = history.addresses();
    for (std::size_t number = 0; number < addresses.size(); ++number) {
        for (const TrendQuantity quantity :
             {TrendQuantity::Level, TrendQuantity::Temperature, TrendQuantity::CurrentValue}) {
            Trace& drawn = trace(addresses[number], quantity, number);
            if (quantity == TrendQuantity::CurrentValue && !current_value_shown) {
                for (QLineSeries* line : drawn.lines) {
                    line->clear();
                }
                drawn.lines.front()->setVisible(false);
                continue;
            }
            drawn.lines.front()->setVisible(true);
            draw_trace(history, shown, drawn, most_samples);
        }
    }
    current_value_axis_->setVisible(current_value_shown);
    fit_value_axes(current_value_shown);
    draw_markers(history);
}

TrendChart::Trace& TrendChart::trace(std::uint8_t address, TrendQuantity quantity,
                                     std::size_t trace_number) {
    const auto found = std::find_if(traces_.begin(), traces_.end(), [&](const Trace& trace) {
        return trace.address == address && trace.quantity == quantity;
    });
    if (found != traces_.end()) {
        return *found;
    }
    Trace& added = traces_.emplace_back(Trace{address, quantity, trace_number, {}});
    added.lines.push_back(add_line(added));
    return added;
}

QLineSeries* TrendChart::add_line(const Trace& trace) {
    auto* line = new QLineSeries;
    line->setName(quantity_name(trace.quantity) + QStringLiteral(", адрес ") +
                  QString::number(trace.address));
    line->setPen(trace_pen(trace.quantity, trace.number));
    addSeries(line);
    line->attachAxis(time_axis_);
    line->attachAxis(axis_of(trace.quantity));
    // One legend entry a trace: the stretches after the first are the same trace.
    if (!trace.lines.empty()) {
        legend()->markers(line).front()->setVisible(false);
    }
    return line;
}

QValueAxis* TrendChart::axis_of(TrendQuantity quantity) const {
    switch (quantity) {
        case TrendQuantity::Level:
            return level_axis_;
        case TrendQuantity::Temperature:
            return temperature_axis_;
        case TrendQuantity::CurrentValue:
            return current_value_axis_;
    }
    return level_axis_;
}

void TrendChart::draw_trace(const TrendHistory& history, const TimeRange& shown, Trace& trace,
                            std::size_t most_samples) {
    const std::vector<TrendLine> lines =
        trend_lines(history, trace.address, trace.quantity, shown, most_samples);
    while (trace.lines.size() < lines.size()) {
        trace.lines.push_back(add_line(trace));
    }
    for (std::size_t k = 0; k < trace.lines.size(); ++k) {
        QList<QPointF> points;
        if (k < lines.size()) {
            points.reserve(static_cast<qsizetype>(lines[k].size()));
            for (const TrendSample& sample : lines[k]) {
                points.append({chart_time(sample.time), sample.value});
            }
        }
        // A reading alone between two gaps has no line to show it: it shows as a dot.
        trace.lines[k]->setPointsVisible(points.size() == 1);
        trace.lines[k]->replace(points);
    }
}

void TrendChart::fit_value_axes(bool current_value_shown) {
    ValueRange level, temperature, current_value;
    for (const Trace& trace : traces_) {
        ValueRange& range = trace.quantity == TrendQuantity::Level         ? level
                            : trace.quantity == TrendQuantity::Temperature ? temperature
                                                                           : current_value;
        for (const QLineSeries* line : trace.lines) {
            for (const QPointF& point : line->points()) {
                range.take(point.y());
            }
        }
    }
    fit(*level_axis_, level, 0, 1024);
    fit(*temperature_axis_, temperature, -10, 40);
    if (current_value_shown) {
        fit(*current_value_axis_, current_value, 0, 200000);
    }
}

void TrendChart::draw_markers(const TrendHistory& history) {
    const auto markers = history.markers();
    for (std::size_t k = markers_.size(); k < markers.size(); ++k) {
        auto* line = new QLineSeries;
        const qreal time = chart_time(markers[k].time);
        // The label sits on the middle point, inside the plot; the ends span it.
        line->append({{time, 0.0}, {time, 0.9}, {time, 1.0}});
        line->setName(qt_text(markers[k].text));
        line->setPen(QPen(Qt::darkGray, 1, Qt::DashDotLine));
        line->setPointLabelsFormat(qt_text(markers[k].text).trimmed());
        line->setPointLabelsVisible(true);
        // A marker near the right edge keeps its whole text.
        line->setPointLabelsClipping(false);
        line->setPointConfiguration(0, QXYSeries::PointConfiguration::LabelVisibility, false);
        line->setPointConfiguration(2, QXYSeries::PointConfiguration::LabelVisibility, false);
        addSeries(line);
        line->attachAxis(time_axis_);
        line->attachAxis(marker_axis_);
        legend()->markers(line).front()->setVisible(false);
        markers_.push_back(line);
    }
}

}  // namespace qm720::gui
