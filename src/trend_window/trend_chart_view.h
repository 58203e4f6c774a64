#pragma once

#include <QChartView>
#include <functional>
#include <optional>

#include "trend_window/trend_chart.h"

namespace qm720::gui {

// The chart on screen, with time under the operator's hand: the wheel zooms time about the
// mouse, dragging pans it. Says what the operator did as fractions of the plot's width; the
// window turns them into times.
class TrendChartView : public QChartView {
  public:
    struct Gestures {
        // `factor` above 1 widens; `at` is the mouse's place across the plot.
        std::function<void(double factor, double at)> zoom;
        std::function<void()> drag_started;
        // How far the mouse has moved since the drag started.
        std::function<void(double moved)> dragged;
    };

    TrendChartView(TrendChart* chart, Gestures gestures);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    double fraction_across_plot(QPointF in_view) const;

    TrendChart* chart_;
    Gestures gestures_;
    std::optional<double> drag_start_;
};

}  // namespace qm720::gui
