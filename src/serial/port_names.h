#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qm720 {

// Windows' device namespace, "\\.\COMn": the window hands its ports over, and logs them, so.
inline constexpr std::string_view kDevicePathPrefix = "\\\\.\\";

// n for a port name "COMn" (n >= 1, letters in either case); none for any other name.
std::optional<unsigned> com_port_number(std::string_view name);

// Where the window's port names COM1, COM2, ... lead on this machine. On Windows "COMn" is the
// port itself. On POSIX systems it is:
//   $QM720_PORTS/COMn  when QM720_PORTS names an existing folder (the simulated bus links its
//                      pseudo-terminals there);
//   /dev/ttyUSB(n-1)   else when that exists (a USB-to-RS-485 adapter);
//   /dev/ttyS(n-1)     otherwise (a built-in port).
// Any other name has no device.
std::optional<std::string> device_for_com_name(std::string_view name);

using PathExists = std::function<bool(const std::string& path)>;

// The same, with the value of QM720_PORTS (empty when unset) and the file system test given.
std::optional<std::string> device_for_com_name(std::string_view name,
                                               const std::string& ports_folder,
                                               const PathExists& exists);

// The device to open for a port path: "\\.\COMn" is the device of COMn; anything else, such as a
// device path given directly, is opened as it is.
std::string device_for_path(const std::string& device_path);

}  // namespace qm720
