#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "sim/line_service.h"
#include "sim/port_link.h"
#include "sim/pseudo_terminal.h"
#include "sim/sensor_bus.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"
#include "sim/stop_signals.h"

namespace {

int serve_line(const qm720::sim::SimOptions& options) {
    using namespace qm720::sim;
    // First of all, so that a stop arriving during start-up still leaves through the clean-up.
    const StopSignals stop;
    PseudoTerminal line;
    std::optional<PortLink> link;
    if (!options.link_path.empty()) {
        link.emplace(options.link_path, line.slave_path());
    }
    std::cout << line.slave_path() << std::endl;

    SensorBus bus(options.sensors, options.bus);
    LineService(line.master(), bus, stop, options.line, options.bus.seed).run();

    // Stopped by a signal or by --close-after: either way the line goes dead before the link
    // disappears, so the tool sees what an unplugged adapter does.
    line.hang_up();
    if (link) {
        link->remove();
    }
    if (options.line.verbose && !stop.requested()) {
        std::cerr << "qm720-sim: line closed after " << *options.line.close_after << " requests"
                  << std::endl;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    qm720::sim::SimOptions options;
    try {
        options = qm720::sim::parse_options(arguments);
    } catch (const qm720::sim::OptionError& error) {
        std::cerr << "qm720-sim: " << error.what() << "\nTry qm720-sim --help\n";
        return 2;
    }
    if (options.help) {
        std::cout << qm720::sim::usage_text();
        return 0;
    }
    try {
        return serve_line(options);
    } catch (const std::exception& error) {
        std::cerr << "qm720-sim: " << error.what() << "\n";
        return 1;
    }
}
