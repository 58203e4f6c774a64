#pragma once

#include <istream>
#include <ostream>

namespace qm720::cli {

// The whole program: parses the arguments, runs the command and returns the exit status.
int run(int argc, const char* const* argv, std::istream& input, std::ostream& out,
        std::ostream& err);

}  // namespace qm720::cli
