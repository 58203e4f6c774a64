#pragma once

#include <string>
#include <string_view>

namespace qm720 {

// The adapter's own name in a link of /dev/serial/by-id, for telling two plugged-in adapters
// apart: "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" is "FTDI FT232R USB UART" (the bus, the
// adapter's serial number and its interface are left out).
std::string adapter_name_from_link(std::string_view link_name);

// The name of the adapter behind `device`, found among the links in `by_id_folder`; empty when
// no link there leads to it (a built-in port, or no adapter plugged in).
std::string adapter_name(const std::string& device,
                         const std::string& by_id_folder = "/dev/serial/by-id");

}  // namespace qm720
