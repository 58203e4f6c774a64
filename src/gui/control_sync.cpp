#include "gui/control_sync.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>

#include "gui/colours.h"
#include "gui/lamp.h"
#include "gui/text.h"

namespace qm720::gui {

namespace {

void show_frame(const Control& control, QGroupBox& frame) {
    const QString title = qt_text(control.caption);
    if (frame.title() != title) {
        frame.setTitle(title);
    }
}

void show_label(const Control& control, QLabel& label) {
    const QString text = qt_text(control.caption);
    if (label.text() != text) {
        label.setText(text);
    }
    const bool own_background = control.back_colour != kButtonFace;
    label.setAutoFillBackground(own_background);
    if (own_background) {
        QPalette palette = label.palette();
        palette.setColor(QPalette::Window, qt_colour(control.back_colour, palette));
        label.setPalette(palette);
    }
}

void show_button(const Control& control, QAbstractButton& button) {
    const QString text = qt_text(control.caption);
    if (button.text() != text) {
        button.setText(text);
    }
    if (button.isCheckable() && button.isChecked() != control.checked) {
        button.setChecked(control.checked);
    }
}

void show_line_edit(const Control& control, QLineEdit& edit) {
    const QString text = qt_text(control.caption);
    if (edit.text() != text) {
        edit.setText(text);
    }
}

void show_plain_text_edit(const Control& control, QPlainTextEdit& edit) {
    const QString text = qt_text(control.caption);
    if (edit.toPlainText() != text) {
        edit.setPlainText(text);
    }
}

bool shows_entries(const QComboBox& combo, const std::vector<std::string>& entries) {
    if (combo.count() != static_cast<int>(entries.size())) {
        return false;
    }
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i) != qt_text(entries[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    return true;
}

void show_combo_box(const Control& control, QComboBox& combo, const EntryToolTip& entry_tool_tip) {
    if (!shows_entries(combo, control.list)) {
        combo.clear();
        for (const std::string& entry : control.list) {
            combo.addItem(qt_text(entry));
            if (entry_tool_tip) {
                combo.setItemData(combo.count() - 1, entry_tool_tip(control, entry),
                                  Qt::ToolTipRole);
            }
        }
    }
    // Selecting an entry rewrites the edit text; where the text ends up as it was, the operator's
    // cursor goes back where it was.
    const QString typed = combo.currentText();
    const int cursor = combo.lineEdit()->cursorPosition();
    const int index = control.list_index < combo.count() ? control.list_index : -1;
    if (combo.currentIndex() != index) {
        combo.setCurrentIndex(index);
    }
    const QString text = qt_text(control.caption);
    if (combo.currentText() != text) {
        combo.setEditText(text);
    }
    if (text == typed) {
        combo.lineEdit()->setCursorPosition(cursor);
    }
}

void show_progress_bar(const Control& control, QProgressBar& bar) {
    bar.setRange(control.minimum, std::max(control.minimum, control.maximum));
    // Qt ignores a value outside the range; a full or empty bar is what such a value means.
    bar.setValue(std::clamp(control.value, bar.minimum(), bar.maximum()));
}

void show_contents(const Control& control, QWidget& widget, const EntryToolTip& entry_tool_tip) {
    switch (control.kind) {
        case ControlKind::Frame:
            show_frame(control, static_cast<QGroupBox&>(widget));
            return;
        case ControlKind::Label:
            show_label(control, static_cast<QLabel&>(widget));
            return;
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            show_button(control, static_cast<QAbstractButton&>(widget));
            return;
        case ControlKind::TextBox:
            if (control.multi_line) {
                show_plain_text_edit(control, static_cast<QPlainTextEdit&>(widget));
            } else {
                show_line_edit(control, static_cast<QLineEdit&>(widget));
            }
            return;
        case ControlKind::ComboBox:
            show_combo_box(control, static_cast<QComboBox&>(widget), entry_tool_tip);
            return;
        case ControlKind::Shape: {
            auto& lamp = static_cast<Lamp&>(widget);
            lamp.set_fill(qt_colour(control.fill_colour, lamp.palette()));
            return;
        }
        case ControlKind::ProgressBar:
            show_progress_bar(control, static_cast<QProgressBar&>(widget));
            return;
        case ControlKind::Timer:
            return;
    }
}

}  // namespace

void show_control(const Control& control, QWidget& widget, const EntryToolTip& entry_tool_tip) {
    show_contents(control, widget, entry_tool_tip);
    widget.setEnabled(control.enabled);
    if (widget.isHidden() == control.visible) {
        widget.setHidden(!control.visible);
    }
}

}  // namespace qm720::gui
