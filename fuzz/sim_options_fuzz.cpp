// The simulator's command line: any arguments are taken or refused with an OptionError; any
// other exception escapes and aborts, which libFuzzer reports.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/sensor_option.h"
#include "sim/sim_options.h"

// Input: the arguments, each ended by NUL or a new line; the text after the last one is an
// argument too when not empty.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    std::string argument;
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == '\0' || data[k] == '\n') {
            arguments.push_back(argument);
            argument.clear();
        } else {
            argument += static_cast<char>(data[k]);
        }
    }
    if (!argument.empty()) {
        arguments.push_back(argument);
    }
    try {
        static_cast<void>(qm720::sim::parse_options(arguments));
    } catch (const qm720::sim::OptionError&) {
        // The refusal the program prints.
    }
    return 0;
}
