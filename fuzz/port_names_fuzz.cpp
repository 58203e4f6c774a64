// Port names: any text maps to a device or none. The file system's answer depends on the path,
// so that every way of mapping a name is taken.
#include <string>

#include "fuzz.h"
#include "serial/port_names.h"

QM720_FUZZ(input) {
    const std::string text(input);
    const auto exists = [](const std::string& path) { return path.size() % 2 == 0; };
    static_cast<void>(qm720::device_for_com_name(text, "", exists));
    static_cast<void>(qm720::device_for_com_name(text, "/ports", exists));
    static_cast<void>(qm720::device_for_path(text));
}
