#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "app/control.h"

namespace qm720::gui {

// The tool tip of one list entry of a combo box; an empty text gives the entry no tool tip.
using EntryToolTip = std::function<QString(const Control& combo, const std::string& entry)>;

// Copies the record's changeable state onto its widget: caption or text, enabled, visible,
// checked, list and selection, progress range and value, colours. Values the widget already shows
// are left alone, so that a text the operator is typing keeps its cursor. The caller blocks the
// widget's signals.
void show_control(const Control& control, QWidget& widget, const EntryToolTip& entry_tool_tip);

}  // namespace qm720::gui
