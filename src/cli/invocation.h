#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm720::cli {

// The mode options of set-mode and line mode, as typed; an option not given is empty.
struct ModeOptions {
    std::optional<std::string> output;
    std::optional<std::string> smoothing;
    std::optional<std::string> inversion;
    std::optional<std::string> range;
};

// The command line as parsed, its values still text: each field is given only when the command
// takes it, and checked_command() converts them with the window's number rules.
struct Invocation {
    std::string port = "COM1";
    bool json = false;
    int timeout_ms = 300;
    int retries = 2;
    std::string command;  // "line shift" for a nested one
    std::optional<std::string> address;
    std::optional<std::string> new_address;
    std::optional<std::string> level;   // full|empty
    std::optional<std::string> action;  // enter|change
    std::optional<std::string> serial;
    std::optional<std::string> amount;
    ModeOptions mode;
    std::optional<long> count;
    int interval_ms = 1000;
    bool verify_scan = true;
    std::string listen = "127.0.0.1:10720";
    int rescan_s = 600;
    std::vector<std::string> addresses;  // serve's ADDR...
};

}  // namespace qm720::cli
