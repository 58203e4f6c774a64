// Port names and line settings texts: any text maps to a device or none, parses or does not.
#include <termios.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "serial/line_settings.h"
#include "serial/port_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The file system's answer depends on the path, so that every way of mapping a name is taken.
    const auto exists = [](const std::string& path) { return path.size() % 2 == 0; };
    static_cast<void>(qm720::device_for_com_name(text, "", exists));
    static_cast<void>(qm720::device_for_com_name(text, "/ports", exists));
    static_cast<void>(qm720::device_for_path(text));
    if (const auto line = qm720::parse_line_settings(text)) {
        termios attributes{};
        static_cast<void>(qm720::set_line_attributes(*line, attributes));
    }
    return 0;
}
