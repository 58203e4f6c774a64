#include "gui/port_tool_tips.h"

#include "gui/text.h"
#include "serial/port_names.h"

namespace qm720::gui {

EntryToolTip port_device_tool_tips() {
    return [](const Control& combo, const std::string& entry) {
        if (combo.name != "CmbPort") {
            return QString{};
        }
        return qt_text(device_for_com_name(entry).value_or(std::string{}));
    };
}

}  // namespace qm720::gui
