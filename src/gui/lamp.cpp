#include "gui/lamp.h"

#include <QPainter>
#include <algorithm>

namespace qm720::gui {

Lamp::Lamp(QWidget* parent) : QWidget(parent) {}

void Lamp::set_fill(const QColor& fill) {
    if (fill != fill_) {
        fill_ = fill;
        update();
    }
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    const int diameter = std::min(width(), height()) - 1;
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(QRectF(rect()).center());
    painter.drawEllipse(circle);
}

}  // namespace qm720::gui
