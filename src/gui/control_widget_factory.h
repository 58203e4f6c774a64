#pragma once

#include <QWidget>

#include "app/control.h"

namespace qm720::gui {

// The widget that shows one control record, with everything that never changes already set:
// place, size, font, object name, and the accessible name of controls that show no caption.
// A timer has no widget: the result is null for it.
QWidget* create_control_widget(const Control& control, QWidget* parent);

}  // namespace qm720::gui
