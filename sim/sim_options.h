#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/sensor_bus.h"
#include "sim/sensor_settings.h"

namespace qm720::sim {

// Line noise sent once, where the answer to one request starts.
struct LineBurst {
    unsigned length = 0;          // random bytes, none of them 0x3E
    unsigned before_request = 0;  // the request whose answer it precedes, counting from 1
};

struct LineTiming {
    std::optional<unsigned> answer_delay_ms;  // none: 5 to 30 ms at random
    unsigned gap_ms = 0;                      // pause in the middle of every answer
    std::optional<unsigned> close_after;      // requests to serve before giving up the line
    bool verbose = false;                     // every exchange on stderr
    std::optional<LineBurst> burst;           // none: no burst
};

struct SimOptions {
    std::string link_path;                // empty: no link
    std::vector<SensorSettings> sensors;  // the default bus unless --sensor was given
    BusOptions bus;
    LineTiming line;
    bool help = false;
    bool version = false;
};

// The program's arguments without its own name. Throws OptionError.
SimOptions parse_options(std::span<const std::string> arguments);

std::string usage_text();

}  // namespace qm720::sim
