#pragma once

#include <string>

namespace qm720 {

// The folder (UTF-8) that holds this program's `log` folder. Only looks: nothing is created.
// On POSIX systems: the program's own folder when the user may write there (a build unpacked
// anywhere keeps its log beside it), otherwise the user's state folder, $XDG_STATE_HOME/qm720
// (by default ~/.local/state/qm720), as for an installed program.
// On Windows: the user's own %LOCALAPPDATA%\qm720, which only its owner may read.
std::string log_home(const std::string& program_folder);

}  // namespace qm720
