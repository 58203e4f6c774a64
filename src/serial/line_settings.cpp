#include "serial/line_settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

namespace qm720 {
namespace {

constexpr std::array<std::pair<unsigned, speed_t>, 15> kSpeeds{{
    {110, B110},
    {150, B150},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {921600, B921600},
}};

// The mode command's two-digit forms of the old rates.
constexpr std::array<std::pair<unsigned, unsigned>, 9> kAbbreviatedBauds{{
    {11, 110},
    {15, 150},
    {30, 300},
    {60, 600},
    {12, 1200},
    {24, 2400},
    {48, 4800},
    {96, 9600},
    {19, 19200},
}};

std::string_view trimmed(std::string_view field) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!field.empty() && blank(field.front())) {
        field.remove_prefix(1);
    }
    while (!field.empty() && blank(field.back())) {
        field.remove_suffix(1);
    }
    return field;
}

std::optional<unsigned> whole_number(std::string_view field) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc{} || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

template <typename Value, std::size_t N>
std::optional<Value> look_up(const std::array<std::pair<unsigned, Value>, N>& table, unsigned key) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [key](const auto& entry) { return entry.first == key; });
    return found == table.end() ? std::nullopt : std::optional<Value>(found->second);
}

std::optional<speed_t> speed_from(std::string_view field) {
    const auto number = whole_number(field);
    if (!number) {
        return std::nullopt;
    }
    return look_up(kSpeeds, look_up(kAbbreviatedBauds, *number).value_or(*number));
}

std::optional<Parity> parity_from(std::string_view field) {
    if (field.size() != 1) {
        return std::nullopt;
    }
    switch (std::tolower(static_cast<unsigned char>(field.front()))) {
        case 'n':
            return Parity::None;
        case 'e':
            return Parity::Even;
        case 'o':
            return Parity::Odd;
        case 'm':
            return Parity::Mark;
        case 's':
            return Parity::Space;
        default:
            return std::nullopt;
    }
}

std::optional<int> data_bits_from(std::string_view field) {
    const auto number = whole_number(field);
    if (!number || *number < 5 || *number > 8) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::optional<StopBits> stop_bits_from(std::string_view field) {
    if (field == "1") {
        return StopBits::One;
    }
    if (field == "1.5") {
        return StopBits::OneAndHalf;
    }
    if (field == "2") {
        return StopBits::Two;
    }
    return std::nullopt;
}

tcflag_t character_size(int data_bits) {
    switch (data_bits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

tcflag_t parity_flags(Parity parity) {
    switch (parity) {
        case Parity::Even:
            return PARENB;
        case Parity::Odd:
            return PARENB | PARODD;
        case Parity::Mark:
            return PARENB | CMSPAR | PARODD;
        case Parity::Space:
            return PARENB | CMSPAR;
        case Parity::None:
            break;
    }
    return 0;
}

}  // namespace

std::optional<LineSettings> parse_line_settings(std::string_view text) {
    std::array<std::string_view, 4> fields;
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        if (count == fields.size()) {
            return std::nullopt;
        }
        const std::size_t comma = text.find(',', start);
        fields[count++] = trimmed(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != fields.size()) {
        return std::nullopt;
    }
    const auto speed = speed_from(fields[0]);
    const auto parity = parity_from(fields[1]);
    const auto data_bits = data_bits_from(fields[2]);
    const auto stop_bits = stop_bits_from(fields[3]);
    if (!speed || !parity || !data_bits || !stop_bits) {
        return std::nullopt;
    }
    return LineSettings{*speed, *parity, *data_bits, *stop_bits};
}

bool set_line_attributes(const LineSettings& line, termios& attributes) {
    const bool five_bits = line.data_bits == 5;
    if ((line.stop_bits == StopBits::OneAndHalf && !five_bits) ||
        (line.stop_bits == StopBits::Two && five_bits)) {
        return false;
    }
    cfmakeraw(&attributes);
    attributes.c_iflag &= ~(IXON | IXOFF | IXANY);
    attributes.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    attributes.c_cflag |=
        character_size(line.data_bits) | parity_flags(line.parity) | CLOCAL | CREAD;
    if (line.stop_bits != StopBits::One) {
        attributes.c_cflag |= CSTOPB;  // with 5 data bits the UART sends 1.5
    }
    attributes.c_cc[VMIN] = 0;
    attributes.c_cc[VTIME] = 0;
    return cfsetispeed(&attributes, line.speed) == 0 && cfsetospeed(&attributes, line.speed) == 0;
}

}  // namespace qm720
