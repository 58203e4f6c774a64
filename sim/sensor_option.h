#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/sensor_settings.h"

namespace qm720::sim {

// A command line the program cannot run with; the text says what to change.
class OptionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A whole number in [min, max], decimal or with a 0x prefix hexadecimal, the whole text.
std::int64_t parse_number(std::string_view text, std::int64_t min, std::int64_t max,
                          std::string_view what);

// "ADDR[:key=value,...]" as given to --sensor: the sensor's defaults for that address with the
// keys applied. Keys and their ranges are listed by sensor_keys_help().
SensorSettings parse_sensor(std::string_view text);

// For --help: every key with its range, a few to a line.
std::string sensor_keys_help();

}  // namespace qm720::sim
