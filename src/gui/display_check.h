#pragma once

#include <optional>
#include <string>

namespace qm720::gui {

// Why the window cannot be shown here, or nothing when a display (or a platform chosen through
// QT_QPA_PLATFORM) is at hand. Checked before Qt starts, whose own failure is an abort.
std::optional<std::string> missing_display_reason();

// Qt ends a start on a display it cannot reach with an abort, after several lines of its own.
// Between these two calls, around the making of the QApplication, such a failure instead prints
// one line naming the first cause Qt gave and ends the program with status 1.
void guard_display_start();
void display_started();

}  // namespace qm720::gui
