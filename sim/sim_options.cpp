#include "sim/sim_options.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "protocol/command_line.h"
#include "sim/sensor_option.h"

namespace qm720::sim {

namespace {

constexpr std::int64_t kLongestWaitMs = 60'000;
constexpr std::int64_t kLongestBurst = 100'000;

// Hands out the values of options that take one.
class ArgumentReader {
  public:
    explicit ArgumentReader(std::span<const std::string> arguments) : arguments_(arguments) {}

    bool done() const { return next_ == arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    const std::string& value_of(const std::string& option) {
        if (done()) {
            throw OptionError(option + " needs a value");
        }
        return take();
    }

  private:
    std::span<const std::string> arguments_;
    std::size_t next_ = 0;
};

// "N:K" as given to --burst.
LineBurst parse_burst(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        throw OptionError("--burst needs N:K, not '" + std::string(text) + "'");
    }
    return {.random_length = static_cast<unsigned>(
                parse_number(text.substr(0, colon), 1, kLongestBurst, "--burst N")),
            .given = {},
            .before_request = static_cast<unsigned>(parse_number(
                text.substr(colon + 1), 1, std::numeric_limits<unsigned>::max(), "--burst K"))};
}

// "HEX:K" as given to --noise: bytes as two hexadecimal digits each, blanks allowed.
LineBurst parse_given_noise(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        throw OptionError("--noise needs HEX:K, not '" + std::string(text) + "'");
    }
    LineBurst burst{
        .random_length = 0,
        .given = {},
        .before_request = static_cast<unsigned>(parse_number(
            text.substr(colon + 1), 1, std::numeric_limits<unsigned>::max(), "--noise K"))};
    std::string digits;
    for (const char c : text.substr(0, colon)) {
        if (c != ' ') {
            digits += c;
        }
    }
    if (digits.empty() || digits.size() % 2 != 0 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        throw OptionError("--noise needs bytes as pairs of hexadecimal digits, not '" +
                          std::string(text.substr(0, colon)) + "'");
    }
    for (std::size_t at = 0; at < digits.size(); at += 2) {
        burst.given.push_back(
            static_cast<std::uint8_t>(std::stoul(digits.substr(at, 2), nullptr, 16)));
    }
    return burst;
}

// "N:SENSOR" as given to --swap, SENSOR as --sensor takes it.
SensorSwap parse_swap(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        throw OptionError("--swap needs N:ADDR[:KEY=VALUE,...], not '" + std::string(text) + "'");
    }
    return {static_cast<unsigned>(parse_number(text.substr(0, colon), 1,
                                               std::numeric_limits<unsigned>::max(), "--swap N")),
            parse_sensor(text.substr(colon + 1))};
}

void apply_bus_faults(std::vector<SensorSettings>& sensors, bool unknown_code, bool garbage) {
    for (SensorSettings& sensor : sensors) {
        sensor.faults.unknown_code = sensor.faults.unknown_code || unknown_code;
        sensor.faults.garbage = sensor.faults.garbage || garbage;
    }
}

void refuse_shared_addresses(const std::vector<SensorSettings>& sensors) {
    for (auto it = sensors.begin(); it != sensors.end(); ++it) {
        const auto same = [it](const SensorSettings& other) {
            return other.address == it->address;
        };
        if (std::any_of(std::next(it), sensors.end(), same)) {
            throw OptionError("two sensors at address " + std::to_string(it->address));
        }
    }
}

std::string default_bus_table() {
    std::ostringstream table;
    table << "    address  serial   version  mode  empty    full     level  temp  current  K\n";
    for (const SensorSettings& s : default_bus()) {
        table << "    " << std::left;
        table.width(9);
        table << unsigned{s.address};
        table.width(9);
        table << s.serial_number;
        table.width(9);
        table << unsigned{s.software_version};
        table.width(6);
        table << "0x" + two_digit_hex({s.mode});
        table.width(9);
        table << s.empty_level;
        table.width(9);
        table << s.full_level;
        table.width(7);
        table << s.level;
        table.width(6);
        table << int{s.temperature};
        table.width(9);
        table << s.current_value << s.k_value << "\n";
    }
    return table.str();
}

}  // namespace

SimOptions parse_options(std::span<const std::string> arguments) {
    SimOptions options;
    bool unknown_code = false;
    bool garbage = false;
    ArgumentReader reader(arguments);
    while (!reader.done()) {
        const std::string& option = reader.take();
        if (option == "--help") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--link") {
            options.link_path = reader.value_of(option);
        } else if (option == "--sensor") {
            options.sensors.push_back(parse_sensor(reader.value_of(option)));
        } else if (option == "--steady") {
            options.bus.steady = true;
        } else if (option == "--seed") {
            options.bus.seed = static_cast<std::uint32_t>(parse_number(
                reader.value_of(option), 0, std::numeric_limits<std::uint32_t>::max(), option));
        } else if (option == "--answer-delay") {
            options.line.answer_delay_ms = static_cast<unsigned>(
                parse_number(reader.value_of(option), 0, kLongestWaitMs, option));
        } else if (option == "--gap") {
            options.line.gap_ms = static_cast<unsigned>(
                parse_number(reader.value_of(option), 0, kLongestWaitMs, option));
        } else if (option == "--close-after") {
            options.line.close_after = static_cast<unsigned>(parse_number(
                reader.value_of(option), 1, std::numeric_limits<unsigned>::max(), option));
        } else if (option == "--unknown-code") {
            unknown_code = true;
        } else if (option == "--garbage") {
            garbage = true;
        } else if (option == "--burst") {
            options.line.bursts.push_back(parse_burst(reader.value_of(option)));
        } else if (option == "--noise") {
            options.line.bursts.push_back(parse_given_noise(reader.value_of(option)));
        } else if (option == "--swap") {
            options.line.swap = parse_swap(reader.value_of(option));
        } else if (option == "--verbose") {
            options.line.verbose = true;
        } else {
            throw OptionError("unknown option '" + option + "'");
        }
    }
    if (options.sensors.empty()) {
        options.sensors = default_bus();
    }
    refuse_shared_addresses(options.sensors);
    apply_bus_faults(options.sensors, unknown_code, garbage);
    return options;
}

std::string usage_text() {
    return "Usage: qm720-sim [options]\n"
           "\n"
           "Plays a bus of QM720 level sensors on a pseudo-terminal. Prints the terminal's path\n"
           "on one line, then answers requests until SIGINT or SIGTERM. Answers leave one byte\n"
           "every 0.52 ms, as at 19200 baud.\n"
           "\n"
           "Options:\n"
           "  --link PATH        make PATH a symbolic link to the terminal (e.g. "
           "$QM720_PORTS/COM1);\n"
           "                     a symbolic link already there is replaced, the link is removed "
           "on\n"
           "                     exit; nothing else is created\n"
           "  --sensor ADDR[:KEY=VALUE,...]\n"
           "                     a sensor at address ADDR (0..255); repeat for more. Given at "
           "all,\n"
           "                     these replace the default bus, in the order given\n"
           "  --steady           level, temperature and current value stay put between polls\n"
           "  --seed N           seed of every random choice (default 1): one seed, one run\n"
           "  --answer-delay MS  answer MS ms after a request (default 5 to 30 ms at random)\n"
           "  --gap MS           pause MS ms after the first half of every answer\n"
           "  --close-after N    answer N requests, then close the line (the tool's writes fail\n"
           "                     from then on), remove the link and exit\n"
           "  --unknown-code     every sensor has the fault 'unknown'\n"
           "  --garbage          every sensor has the fault 'garbage'\n"
           "  --burst N:K        once, N random bytes (1..100000, any of the 256 values, 0x3E\n"
           "                     included) right before the answer to the K-th request (from\n"
           "                     1), paced like an answer; sent even if that request gets no\n"
           "                     answer. May be given more than once\n"
           "  --noise HEX:K      the same with the bytes given in hexadecimal (\"A5 3E 07 F8\"):\n"
           "                     a reply nobody asked for, hidden in the noise\n"
           "  --swap N:ADDR[:KEY=VALUE,...]\n"
           "                     after the N-th request the sensor at ADDR is taken off the line\n"
           "                     and this one put on in its place; the request in between gets\n"
           "                     no answer\n"
           "  --verbose          log every request and answer to stderr\n"
           "  --help             show this text\n"
           "  --version          show the version\n"
           "\n" +
           sensor_keys_help() +
           "\n"
           "Faults:\n"
           "  silent     the sensor neither acts on nor answers anything, the scan included\n"
           "  badcrc     its measurement replies carry a wrong CRC\n"
           "  unknown    every reply it sends carries reply code 0xE7 (with a correct CRC)\n"
           "  garbage    every reply it sends is replaced by as many random bytes, any of the 256\n"
           "             values; its scan answer stays its address\n"
           "  noisy      one random byte, any of the 256 values, goes before every reply it "
           "sends;\n"
           "             its scan answer stays its address\n"
           "  wrongaddr  every reply it sends carries address ADDR+1 (mod 256), with a CRC to\n"
           "             match; it still acts on requests as usual, its scan answer stays ADDR\n"
           "  badid      its identity reply (0xFC) has the lowest bit of the serial number "
           "flipped\n"
           "             under the CRC of the true one\n"
           "  shortmode  its set-mode confirmation is 3E ADDR F2 CRC, without the mode byte\n"
           "  badids=N   its next N identity replies are damaged as by badid, then it answers\n"
           "             truly\n"
           "\n"
           "The sensors:\n"
           "  Requests with a wrong CRC, a wrong length or an unknown code, and requests to an\n"
           "  address no sensor has, get no answer. A request to address 255 goes to the first\n"
           "  sensor, which answers with its own address; where two sensors share an address,\n"
           "  the first answers. Calibrating a level stores the current value last reported;\n"
           "  shifts stop at 0 and 4294967295. A new address holds after its confirmation, which\n"
           "  still comes from the old address.\n"
           "  Password: a sensor whose password is 0 takes a new one (0xF7) at once; otherwise\n"
           "  its password must have been entered (0xF8) first, or the change is refused with\n"
           "  0xFD. A wrong password entered is refused with 0xFD and cancels an earlier right\n"
           "  one. No other command asks for the password.\n"
           "\n"
           "Default bus (version prefix 0 and password 0 throughout):\n" +
           default_bus_table() +
           "A sensor given without keys: serial 100000+ADDR, version 163, mode 0x00, empty level\n"
           "100000+40*ADDR, full level about 1.9 times that, level 512, temperature 22, current\n"
           "value halfway between the levels, K 600.\n";
}

}  // namespace qm720::sim
