#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/sensor_bus.h"
#include "sim/sensor_settings.h"

namespace qm720::sim {

// Line noise sent once, where the answer to one request starts: random bytes drawn from all 256
// values, or the very bytes given (a confirmation or reply that nobody asked for, say).
struct LineBurst {
    unsigned random_length = 0;
    Bytes given;
    unsigned before_request = 0;  // the request whose answer it precedes, counting from 1
};

// A sensor taken off the line after one request and another put on at its address: the
// request after that one gets no answer, as nothing is connected while they are swapped.
struct SensorSwap {
    unsigned after_request = 0;  // counting from 1
    SensorSettings newcomer;
};

struct LineTiming {
    std::optional<unsigned> answer_delay_ms;  // none: 5 to 30 ms at random
    unsigned gap_ms = 0;                      // pause in the middle of every answer
    std::optional<unsigned> close_after;      // requests to serve before giving up the line
    bool verbose = false;                     // every exchange on stderr
    std::vector<LineBurst> bursts;
    std::optional<SensorSwap> swap;  // none: the bus stays as it started
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
