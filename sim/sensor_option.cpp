#include "sim/sensor_option.h"

#include <array>
#include <charconv>
#include <functional>
#include <limits>
#include <string>

namespace qm720::sim {

namespace {

constexpr std::int64_t kMaxFourBytes = std::numeric_limits<std::uint32_t>::max();

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

struct NumberKey {
    std::string_view name;
    std::int64_t min;
    std::int64_t max;
    std::function<void(SensorSettings&, std::int64_t)> apply;
};

template <typename Field>
std::function<void(SensorSettings&, std::int64_t)> store(Field SensorSettings::*field) {
    return [field](SensorSettings& sensor, std::int64_t value) {
        sensor.*field = static_cast<Field>(value);
    };
}

const std::array<NumberKey, 12>& number_keys() {
    static const std::array<NumberKey, 12> keys = {{
        {"serial", 0, kMaxFourBytes, store(&SensorSettings::serial_number)},
        {"version", 0, 255, store(&SensorSettings::software_version)},
        {"prefix", 0, 255, store(&SensorSettings::version_prefix)},
        {"mode", 0, 255, store(&SensorSettings::mode)},
        {"level", 0, 65535, store(&SensorSettings::level)},
        {"temp", -128, 127, store(&SensorSettings::temperature)},
        {"current", 0, kMaxFourBytes, store(&SensorSettings::current_value)},
        {"empty", 0, kMaxFourBytes, store(&SensorSettings::empty_level)},
        {"full", 0, kMaxFourBytes, store(&SensorSettings::full_level)},
        {"k", 0, 65535, store(&SensorSettings::k_value)},
        {"password", 0, kMaxFourBytes, store(&SensorSettings::password)},
        {"badids", 0, kMaxFourBytes, store(&SensorSettings::damaged_identities)},
    }};
    return keys;
}

bool* fault_flag(SensorFaults& faults, std::string_view name) {
    if (name == "silent")
        return &faults.silent;
    if (name == "badcrc")
        return &faults.bad_crc;
    if (name == "unknown")
        return &faults.unknown_code;
    if (name == "garbage")
        return &faults.garbage;
    if (name == "noisy")
        return &faults.noisy;
    if (name == "wrongaddr")
        return &faults.wrong_address;
    if (name == "badid")
        return &faults.bad_identity;
    if (name == "shortmode")
        return &faults.short_mode_reply;
    return nullptr;
}

void apply_key(SensorSettings& sensor, std::string_view item) {
    const std::size_t equals = item.find('=');
    const std::string_view name = item.substr(0, equals);
    const bool has_value = equals != std::string_view::npos;
    const std::string_view value = has_value ? item.substr(equals + 1) : std::string_view{};

    if (bool* flag = fault_flag(sensor.faults, name)) {
        *flag = !has_value || parse_number(value, 0, 1, name) == 1;
        return;
    }
    for (const NumberKey& key : number_keys()) {
        if (key.name == name) {
            if (!has_value) {
                throw OptionError("sensor key " + quoted(name) + " needs a value");
            }
            key.apply(sensor, parse_number(value, key.min, key.max, name));
            return;
        }
    }
    throw OptionError("unknown sensor key " + quoted(name));
}

}  // namespace

std::int64_t parse_number(std::string_view text, std::int64_t min, std::int64_t max,
                          std::string_view what) {
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value < min || value > max) {
        throw OptionError(std::string(what) + " must be a whole number from " +
                          std::to_string(min) + " to " + std::to_string(max) + ", not " +
                          quoted(text));
    }
    return value;
}

SensorSettings parse_sensor(std::string_view text) {
    const std::size_t colon = text.find(':');
    const auto address =
        static_cast<std::uint8_t>(parse_number(text.substr(0, colon), 0, 255, "sensor address"));
    SensorSettings sensor = sensor_defaults(address);
    if (colon == std::string_view::npos) {
        return sensor;
    }
    std::string_view keys = text.substr(colon + 1);
    while (!keys.empty()) {
        const std::size_t comma = keys.find(',');
        apply_key(sensor, keys.substr(0, comma));
        keys = comma == std::string_view::npos ? std::string_view{} : keys.substr(comma + 1);
    }
    return sensor;
}

std::string sensor_keys_help() {
    constexpr std::size_t kKeysPerLine = 3;
    std::string text = "Sensor keys (numbers decimal or with 0x hexadecimal):\n";
    for (std::size_t k = 0; k < number_keys().size(); ++k) {
        const NumberKey& key = number_keys()[k];
        text += "  " + std::string(key.name) + "=" + std::to_string(key.min) + ".." +
                std::to_string(key.max);
        if (k % kKeysPerLine == kKeysPerLine - 1 || k + 1 == number_keys().size()) {
            text += "\n";
        }
    }
    return text +
           "  silent  badcrc  unknown  garbage  noisy  wrongaddr  badid  shortmode\n"
           "      (faults, below; =1 and =0 also work)\n";
}

}  // namespace qm720::sim
