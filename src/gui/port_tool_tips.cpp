#include "gui/port_tool_tips.h"

#include "gui/text.h"
#include "serial/adapter_names.h"
#include "serial/port_names.h"

namespace qm720::gui {

EntryToolTip port_device_tool_tips() {
    return [](const Control& combo, const std::string& entry) {
        if (combo.name != "CmbPort") {
            return QString{};
        }
        const std::string device = device_for_com_name(entry).value_or(std::string{});
        const std::string adapter = adapter_name(device);
        return qt_text(adapter.empty() ? device : device + " (" + adapter + ")");
    };
}

}  // namespace qm720::gui
