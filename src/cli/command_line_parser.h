#pragma once

#include <CLI/CLI.hpp>

#include "cli/invocation.h"

namespace qm720::cli {

// Declares every option and command on `app`, storing what is given in `invocation`; the
// command's words are found after parsing with command_words().
void declare_interface(CLI::App& app, Invocation& invocation);

// "read", or "line shift" for a nested command: the words of the command that was given.
std::string command_words(const CLI::App& app);

}  // namespace qm720::cli
