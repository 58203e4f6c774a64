#pragma once

#include <chrono>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/invocation.h"
#include "protocol/requests.h"

namespace qm720::cli {

// Where the exporter listens: a host name or address (an IPv6 one without its brackets) and a
// TCP port.
struct ListenAddress {
    std::string host;
    int port = 0;
};

// "127.0.0.1:10720", "[::1]:10720" or "localhost:10720"; none when malformed.
std::optional<ListenAddress> listen_address(const std::string& text);

// A command line that passed every check, its values converted: only such a command may open
// the port. Each command reads the fields it takes.
struct Command {
    std::string name;
    std::uint8_t address = 0;
    std::uint8_t new_address = 0;
    Level level = Level::Full;
    std::int16_t amount = 0;
    std::int64_t serial = 0;
    bool change_password = false;
    std::int64_t password = 0;
    ModeOptions mode;
    std::optional<long> count;
    std::chrono::milliseconds interval{1000};
    bool verify_scan = true;
    ListenAddress listen;
    std::chrono::seconds rescan{600};
    std::vector<std::uint8_t> addresses;
};

// The invocation's values as the window takes typed text; text it would not take is a usage
// error naming the first value refused. The password command's password is read from `input`
// here, so that it too is checked before anything is opened.
Command checked_command(const Invocation& invocation, std::istream& input);

const char* level_name(Level level);

// `mode` with every option given applied; the bits no option touches stay as they are.
std::uint8_t mode_with_options(std::uint8_t mode, const ModeOptions& options);

// Text a message quotes: whole up to `longest` bytes, else cut there (never inside a UTF-8
// character) and marked with its full length, so that a 10 kB argument does not flood a log.
inline constexpr std::size_t kLongestEcho = 40;
std::string echoed(std::string_view text, std::size_t longest = kLongestEcho);

}  // namespace qm720::cli
