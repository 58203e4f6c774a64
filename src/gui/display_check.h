#pragma once

#include <optional>
#include <string>

namespace qm720::gui {

// Why the window cannot be shown here, or nothing when a display (or a platform chosen through
// QT_QPA_PLATFORM) is at hand. Checked before Qt starts, whose own failure is an abort.
std::optional<std::string> missing_display_reason();

}  // namespace qm720::gui
