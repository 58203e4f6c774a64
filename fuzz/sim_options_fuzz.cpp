// The simulator's command line: any arguments, each ended by NUL or a new line (the text after
// the last one is one too), are taken or refused with an OptionError; any other exception
// escapes and aborts.
#include <string>
#include <vector>

#include "fuzz.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"

QM720_FUZZ(input) {
    std::vector<std::string> arguments(1);
    for (const char c : input) {
        if (c == '\0' || c == '\n') {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(c);
        }
    }
    if (arguments.back().empty()) {
        arguments.pop_back();
    }
    try {
        static_cast<void>(qm720::sim::parse_options(arguments));
    } catch (const qm720::sim::OptionError&) {
    }
}
