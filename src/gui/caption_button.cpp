#include "gui/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace qm720::gui {

namespace {

// The room the caption leaves free at each edge, in pixels: the button's bevel and no more.
constexpr int kCaptionInset = 2;

}  // namespace

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    int flags = Qt::AlignCenter | Qt::TextWordWrap;
    flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                             : Qt::TextHideMnemonic;
    QRect caption = rect().adjusted(kCaptionInset, kCaptionInset, -kCaptionInset, -kCaptionInset);
    if (isDown()) {
        caption.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(caption, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace qm720::gui
