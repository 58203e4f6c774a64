#include "gui/frame_box.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>

namespace qm720::gui {

namespace {

constexpr int kCaptionLeft = 6;    // pixels from the frame's left edge
constexpr int kCaptionMargin = 2;  // pixels of cleared border either side of the caption

}  // namespace

FrameBox::FrameBox(QWidget* parent) : QGroupBox(parent) {}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());

    // An etched line, the same under every style; Qt's own group box frame would start below
    // the caption instead.
    const QRect border = rect().adjusted(0, metrics.height() / 2, 0, 0);
    qDrawShadeRect(&painter, border, palette(), true, 1);

    if (title().isEmpty()) {
        return;
    }
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    QRect caption = metrics.boundingRect(QRect(0, 0, width(), metrics.height()), flags, title());
    caption.moveTopLeft({kCaptionLeft + kCaptionMargin, 0});
    painter.fillRect(caption.adjusted(-kCaptionMargin, 0, kCaptionMargin, 0),
                     palette().color(backgroundRole()));
    style()->drawItemText(&painter, caption, flags, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

}  // namespace qm720::gui
