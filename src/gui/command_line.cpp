#include "gui/command_line.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace qm720::gui {
namespace {

// Qt's own options as QApplication reads them, without their leading dash.
constexpr std::string_view kQtOptionsWithValue[] = {
    "style",   "stylesheet",      "platform",    "platformpluginpath", "platformtheme", "plugin",
    "session", "qwindowgeometry", "qwindowicon", "qwindowtitle",       "display",       "geometry"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount"};
constexpr std::string_view kQtOptionsWithJoinedValue[] = {
    "style=", "stylesheet=", "qmljsdebugger="};

bool is_qt_option_without_value(std::string_view name) {
    return std::ranges::find(kQtFlags, name) != std::end(kQtFlags) ||
           std::ranges::any_of(kQtOptionsWithJoinedValue, [name](std::string_view prefix) {
               return name.starts_with(prefix);
           });
}

}  // namespace

CommandLine read_command_line(int argc, const char* const argv[]) {
    CommandLine command_line;
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        if (argument == "--version" || argument == "-v") {
            version = true;
            continue;
        }
        // Qt takes "--style" for "-style".
        std::string_view name = argument;
        if (name.starts_with("--")) {
            name.remove_prefix(2);
        } else if (name.starts_with('-')) {
            name.remove_prefix(1);
        } else {
            return {ProgramRequest::RefuseArguments};
        }
        if (std::ranges::find(kQtOptionsWithValue, name) != std::end(kQtOptionsWithValue)) {
            if (++i == argc) {
                return {ProgramRequest::RefuseArguments};
            }
            command_line.platform_chosen = command_line.platform_chosen || name == "platform";
        } else if (!is_qt_option_without_value(name)) {
            return {ProgramRequest::RefuseArguments};
        }
    }
    if (help) {
        command_line.request = ProgramRequest::PrintHelp;
    } else if (version) {
        command_line.request = ProgramRequest::PrintVersion;
    }
    return command_line;
}

std::string usage_text(const std::string& log_folder) {
    return "Usage: qm720 [--help | --version] [QT-OPTION...]\n"
           "\n"
           "Service and set-up tool for QM720 level sensors on an RS-485 bus. Without options it\n"
           "opens its window.\n"
           "\n"
           "Options:\n"
           "  -h, --help      show this text and exit\n"
           "  -v, --version   show the version and exit\n"
           "  QT-OPTION       any option every Qt program takes, for example -style fusion,\n"
           "                  -platform offscreen, -reverse; it goes to Qt\n"
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
           "  XDG_STATE_HOME  holds qm720/log for an installed program (default ~/.local/state)\n"
           "\n"
           "Log: one file per start, " +
           log_folder +
           "/ddMMyyyy_Hmmss.log, cp1251 text,\n"
           "readable by its owner only.\n";
}

}  // namespace qm720::gui
