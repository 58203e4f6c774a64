// The simulator's command line: any arguments, each ended by NUL or a new line (the text after
// the last one is one too), are taken or refused with an OptionError; any other exception
// escapes and aborts.
#include <string>
#include <vector>

#include "fuzz.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"

QM720_FUZZ(input) {
    const std::vector<std::string> arguments = qm720::fuzz::argument_vector(input);
    try {
        static_cast<void>(qm720::sim::parse_options(arguments));
    } catch (const qm720::sim::OptionError&) {
    }
}
