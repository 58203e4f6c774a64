#pragma once

#include <string>

namespace qm720::gui {

// What the program was asked for on its command line: its window unless told otherwise.
enum class ProgramRequest { OpenWindow, PrintHelp, PrintVersion, RefuseArguments };

struct CommandLine {
    ProgramRequest request = ProgramRequest::OpenWindow;
    // Qt's -platform was given: Qt is told where to show the window, wherever the session is.
    bool platform_chosen = false;
};

// --help (-h), --version (-v) and the options every Qt program takes (-style fusion,
// -platform offscreen, -reverse, ...; with one dash or two), which are left for Qt. Anything
// else, a Qt option's missing value included, is refused, so that a typing mistake is not taken
// for a request to open the window.
CommandLine read_command_line(int argc, const char* const argv[]);

// The text of --help, naming the folder the log goes to.
std::string usage_text(const std::string& log_folder);

}  // namespace qm720::gui
