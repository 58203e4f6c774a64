#pragma once

#include <optional>
#include <string>

namespace qm720::cli {

// The mode options of set-mode and line mode, as typed; an option not given is empty.
struct ModeOptions {
    std::optional<std::string> output;
    std::optional<std::string> smoothing;
    std::optional<std::string> inversion;
    std::optional<std::string> range;
};

// The command line as parsed: the command's words ("line shift" for a nested one) and its
// arguments as text, converted by the command with the window's number rules.
struct Invocation {
    std::string port = "COM1";
    bool json = false;
    int timeout_ms = 300;
    int retries = 2;
    std::string command;
    std::string address;
    std::string value;  // NEW, full|empty or enter|change
    std::string serial;
    std::string amount;
    ModeOptions mode;
    std::optional<long> count;
    int interval_ms = 1000;
};

}  // namespace qm720::cli
