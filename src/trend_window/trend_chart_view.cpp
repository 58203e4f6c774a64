#include "trend_window/trend_chart_view.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

namespace qm720::gui {

namespace {

// One notch of the wheel (120 eighths of a degree) narrows the range by a fifth.
constexpr double kZoomPerNotch = 0.8;

}  // namespace

TrendChartView::TrendChartView(TrendChart* chart, Gestures gestures)
    : QChartView(chart), chart_(chart), gestures_(std::move(gestures)) {
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::NoDrag);
    setRubberBand(QChartView::NoRubberBand);
    setCursor(Qt::OpenHandCursor);
}

double TrendChartView::fraction_across_plot(QPointF in_view) const {
    return chart_->fraction_across_plot(chart_->mapFromScene(mapToScene(in_view.toPoint())).x());
}

void TrendChartView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) {
        gestures_.zoom(std::pow(kZoomPerNotch, notches), fraction_across_plot(event->position()));
    }
    event->accept();
}

void TrendChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QChartView::mousePressEvent(event);
        return;
    }
    drag_start_ = fraction_across_plot(event->position());
    setCursor(Qt::ClosedHandCursor);
    gestures_.drag_started();
    event->accept();
}

void TrendChartView::mouseMoveEvent(QMouseEvent* event) {
    if (drag_start_) {
        gestures_.dragged(fraction_across_plot(event->position()) - *drag_start_);
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void TrendChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_start_ && event->button() == Qt::LeftButton) {
        drag_start_.reset();
        setCursor(Qt::OpenHandCursor);
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

}  // namespace qm720::gui
