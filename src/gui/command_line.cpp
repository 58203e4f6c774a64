#include "gui/command_line.h"

#include <string_view>

namespace qm720::gui {

ProgramRequest program_request(int argc, const char* const argv[]) {
    if (argc <= 1) {
        return ProgramRequest::OpenWindow;
    }
    const std::string_view option = argv[1];
    if (argc > 2) {
        return ProgramRequest::RefuseArguments;
    }
    if (option == "--help" || option == "-h") {
        return ProgramRequest::PrintHelp;
    }
    if (option == "--version" || option == "-v") {
        return ProgramRequest::PrintVersion;
    }
    return ProgramRequest::RefuseArguments;
}

std::string usage_text(const std::string& log_folder) {
    return "Usage: qm720 [--help | --version]\n"
           "\n"
           "Service and set-up tool for QM720 level sensors on an RS-485 bus. Without options it\n"
           "opens its window.\n"
           "\n"
           "Options:\n"
           "  -h, --help      show this text and exit\n"
           "  -v, --version   show the version and exit\n"
           "\n"
           "Ports: the port list offers COM1 ... COM30, opened at 19200 baud, 8N1. COMn is\n"
           "  $QM720_PORTS/COMn  when QM720_PORTS names a folder (links made by qm720-sim);\n"
           "  /dev/ttyUSB(n-1)   otherwise when it exists (USB adapters: COM1 is /dev/ttyUSB0);\n"
           "  /dev/ttyS(n-1)     otherwise.\n"
           "Opening a device needs membership of its group, usually dialout:\n"
           "  sudo adduser $USER dialout   (then log in again)\n"
           "\n"
           "Environment:\n"
           "  QM720_PORTS     a folder of links COM1, COM2, ... used instead of the devices\n"
           "  XDG_STATE_HOME  holds qm720/log when the program's own folder is not writable\n"
           "\n"
           "Log: one file per start, " +
           log_folder +
           "/ddMMyyyy_Hmmss.log, cp1251 text,\n"
           "readable by its owner only.\n";
}

}  // namespace qm720::gui
