#include "gui/control_widget_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "gui/caption_button.h"
#include "gui/frame_box.h"
#include "gui/lamp.h"
#include "gui/text.h"
#include "gui/twips.h"
#include "gui/window_font.h"

namespace qm720::gui {

namespace {

QLabel* create_label(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QWidget* create_text_box(const Control& control, QWidget* parent) {
    if (control.multi_line) {
        return new QPlainTextEdit(parent);
    }
    return new QLineEdit(parent);
}

QComboBox* create_combo_box(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // Typed text stays what was typed: no completion from the list, no new entries on Enter.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QProgressBar* create_progress_bar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setOrientation(Qt::Vertical);
    bar->setTextVisible(false);
    return bar;
}

QWidget* create_widget_of_kind(const Control& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::Frame:
            return new FrameBox(parent);
        case ControlKind::Label:
            return create_label(parent);
        case ControlKind::CommandButton:
            return new CaptionButton(parent);
        case ControlKind::TextBox:
            return create_text_box(control, parent);
        case ControlKind::ComboBox:
            return create_combo_box(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ControlKind::OptionButton:
            return new QRadioButton(parent);
        case ControlKind::Shape:
            return new Lamp(parent);
        case ControlKind::ProgressBar:
            return create_progress_bar(parent);
        case ControlKind::Timer:
            return nullptr;
    }
    return nullptr;
}

// Controls that show a caption are named by it, as Qt does by default; the others by their name.
bool shows_no_caption(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::ProgressBar || kind == ControlKind::Shape;
}

}  // namespace

QWidget* create_control_widget(const Control& control, QWidget* parent) {
    QWidget* widget = create_widget_of_kind(control, parent);
    if (widget == nullptr) {
        return nullptr;
    }
    const QString name = qt_text(control.name);
    widget->setObjectName(name);
    if (shows_no_caption(control.kind)) {
        widget->setAccessibleName(name);
    }
    widget->setGeometry(pixel_rect(control));
    widget->setFont(window_font(control.font));
    return widget;
}

}  // namespace qm720::gui
