// Port names and line settings texts: any text maps to a device or none, parses or does not.
// The file system's answer depends on the path, so that every way of mapping a name is taken.
#include <termios.h>

#include <string>

#include "fuzz.h"
#include "serial/line_settings.h"
#include "serial/port_names.h"

QM720_FUZZ(input) {
    const std::string text(input);
    const auto exists = [](const std::string& path) { return path.size() % 2 == 0; };
    static_cast<void>(qm720::device_for_com_name(text, "", exists));
    static_cast<void>(qm720::device_for_com_name(text, "/ports", exists));
    static_cast<void>(qm720::device_for_path(text));
    termios attributes{};
    if (const auto line = qm720::parse_line_settings(text)) {
        static_cast<void>(qm720::set_line_attributes(*line, attributes));
    }
}
