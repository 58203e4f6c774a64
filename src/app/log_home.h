#pragma once

#include <string>
#include <string_view>

namespace qm720 {

// The file the build writes beside the programs it makes (src/gui/CMakeLists.txt); installing
// leaves it behind, so a program beside it runs from a build tree.
inline constexpr std::string_view kBuildTreeMark = "qm720-build-tree";

// The folder (UTF-8) that holds this program's `log` folder. Only looks: nothing is created.
// On POSIX systems: the program's own folder when it is a build tree the user may write (a build
// keeps its log beside it), otherwise the user's state folder, $XDG_STATE_HOME/qm720 (by default
// ~/.local/state/qm720): an installed program never writes into the system's folders, not even
// run by root. Empty when the user has no home folder at all.
// On Windows: the user's own %LOCALAPPDATA%\qm720, which only its owner may read.
std::string log_home(const std::string& program_folder);

}  // namespace qm720
