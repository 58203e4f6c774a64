#include "gui/display_check.h"

#include <cstdlib>

namespace qm720::gui {

namespace {

bool is_set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

std::optional<std::string> missing_display_reason() {
    if (is_set("DISPLAY") || is_set("WAYLAND_DISPLAY") || is_set("QT_QPA_PLATFORM")) {
        return std::nullopt;
    }
    return "qm720: no display found (DISPLAY is not set). Run it on a desktop, or use "
           "QT_QPA_PLATFORM=offscreen for a headless run.";
}

}  // namespace qm720::gui
