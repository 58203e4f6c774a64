#include "cli/arguments.h"

#include "cli/failure.h"
#include "cli/output_modes.h"
#include "core/text_number.h"
#include "protocol/command_line.h"
#include "protocol/mode_bits.h"

namespace qm720::cli {

namespace {

std::uint8_t with_bit(std::uint8_t mode, std::uint8_t bit, const std::optional<std::string>& on) {
    if (!on) {
        return mode;
    }
    return static_cast<std::uint8_t>(*on == "on" ? mode | bit : mode & ~bit);
}

bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::uint8_t address_value(const std::string& text) {
    const auto address = address_from_text(text);
    if (!address) {
        throw Failure(ExitStatus::UsageError,
                      "an address is a whole number 0..255, not '" + echoed(text) + "'");
    }
    return *address;
}

// The generated command lines reach only remote sensors, which sit below address 200.
std::uint8_t remote_address_value(const std::string& text) {
    const std::uint8_t address = address_value(text);
    if (address >= kFirstNonRemoteAddress) {
        throw Failure(ExitStatus::UsageError, "a remote sensor's address is below " +
                                                  std::to_string(kFirstNonRemoteAddress) +
                                                  ", not " + std::to_string(address));
    }
    return address;
}

std::int16_t shift_amount_value(const std::string& text) {
    const auto amount = number_in_range(text, -kMaxShift, kMaxShift);
    if (!amount) {
        throw Failure(ExitStatus::UsageError,
                      "a shift amount is a whole number -1000..1000, not '" + echoed(text) + "'");
    }
    return static_cast<std::int16_t>(*amount);
}

std::int64_t serial_number_value(const std::string& text) {
    const auto serial = number_in_range(text, 0, kMaxSerialNumber);
    if (!serial) {
        throw Failure(ExitStatus::UsageError, "a serial number is a whole number 0.." +
                                                  std::to_string(kMaxSerialNumber) + ", not '" +
                                                  echoed(text) + "'");
    }
    return *serial;
}

// The first line of standard input; never echoed, since it is a password.
std::int64_t password_from(std::istream& input) {
    std::string typed;
    std::getline(input, typed);
    const auto password = number_in_range(typed, 0, kMaxPassword);
    if (!password) {
        throw Failure(
            ExitStatus::UsageError,
            "the password on standard input is no whole number 0.." + std::to_string(kMaxPassword));
    }
    return *password;
}

ListenAddress listen_value(const std::string& text) {
    const auto address = listen_address(text);
    if (!address) {
        throw Failure(ExitStatus::UsageError,
                      "--listen takes HOST:PORT with a port 1..65535, not '" + echoed(text) + "'");
    }
    return *address;
}

}  // namespace

std::optional<ListenAddress> listen_address(const std::string& text) {
    constexpr int kHighestPort = 65535;
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        return std::nullopt;  // an IPv6 address needs its brackets
    }
    const auto port = number_in_range(text.substr(colon + 1), 1, kHighestPort);
    if (host.empty() || !port ||
        text.substr(colon + 1).find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return ListenAddress{.host = host, .port = static_cast<int>(*port)};
}

Command checked_command(const Invocation& invocation, std::istream& input) {
    Command command;
    command.name = invocation.command;
    const bool remote = command.name.starts_with("line ");
    if (invocation.level) {
        command.level = *invocation.level == "full" ? Level::Full : Level::Empty;
    }
    if (command.name == "line mode" && invocation.mode.output.value_or("rs485") != "rs485") {
        throw Failure(ExitStatus::UsageError,
                      "remote sensors take a new mode only in output mode rs485");
    }
    if (invocation.address) {
        command.address =
            remote ? remote_address_value(*invocation.address) : address_value(*invocation.address);
    }
    if (invocation.new_address) {
        command.new_address = address_value(*invocation.new_address);
    }
    if (invocation.amount) {
        command.amount = shift_amount_value(*invocation.amount);
    }
    if (invocation.serial) {
        command.serial = serial_number_value(*invocation.serial);
    }
    command.mode = invocation.mode;
    command.count = invocation.count;
    command.interval = std::chrono::milliseconds(invocation.interval_ms);
    command.verify_scan = invocation.verify_scan;
    if (command.name == "serve") {
        command.listen = listen_value(invocation.listen);
        command.rescan = std::chrono::seconds(invocation.rescan_s);
        for (const std::string& address : invocation.addresses) {
            command.addresses.push_back(address_value(address));
        }
    }
    if (invocation.action) {
        command.change_password = *invocation.action == "change";
        command.password = password_from(input);
    }
    return command;
}

const char* level_name(Level level) {
    return level == Level::Full ? "full" : "empty";
}

std::uint8_t mode_with_options(std::uint8_t mode, const ModeOptions& options) {
    if (options.output) {
        mode = static_cast<std::uint8_t>((mode & ~kOutputModeMask) |
                                         *output_selector(*options.output));
    }
    mode = with_bit(mode, kSmoothingBit, options.smoothing);
    mode = with_bit(mode, kInversionBit, options.inversion);
    if (options.range) {
        mode = with_bit(mode, kRange4096Bit, *options.range == "4096" ? "on" : "off");
    }
    return mode;
}

std::string echoed(std::string_view text, std::size_t longest) {
    if (text.size() <= longest) {
        return std::string(text);
    }
    std::size_t cut = longest;
    while (cut > 0 && is_continuation_byte(text[cut])) {
        --cut;
    }
    return std::string(text.substr(0, cut)) + "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace qm720::cli
