#pragma once

#include <string>

namespace qm720::cli {

// The software version as scripts compare it: the window's text without the dots it keeps for
// digit places ("1.3.1." gives "1.3.1", "4.2.." gives "4.2"); empty stays empty.
std::string comparable_version(std::string window_text);

}  // namespace qm720::cli
