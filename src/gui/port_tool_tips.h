#pragma once

#include "gui/control_sync.h"

namespace qm720::gui {

// Each entry of the port list shows, as its tool tip, the device it opens on this machine and the
// adapter behind it, e.g. "/dev/ttyUSB0 (FTDI FT232R USB UART)".
EntryToolTip port_device_tool_tips();

}  // namespace qm720::gui
