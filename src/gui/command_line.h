#pragma once

#include <string>

namespace qm720::gui {

// What the program was asked for on its command line: its window unless told otherwise.
enum class ProgramRequest { OpenWindow, PrintHelp, PrintVersion, RefuseArguments };

// Only --help (-h) and --version (-v) are understood; anything else is refused, so that a typing
// mistake is not taken for a request to open the window.
ProgramRequest program_request(int argc, const char* const argv[]);

// The text of --help, naming the folder the log goes to.
std::string usage_text(const std::string& log_folder);

}  // namespace qm720::gui
