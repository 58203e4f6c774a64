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

using qm720::sim::Clock;

// The tool reads once a second; longer than that, and it is not coming back for the bytes.
constexpr auto kLongestDrain = std::chrono::seconds(2);
constexpr auto kDrainCheck = std::chrono::milliseconds(10);

// Lets the tool take the last answer before the line goes dead, as a sensor's answer would
// already be in the adapter when the cable is pulled.
void wait_until_drained(const qm720::sim::PseudoTerminal& line,
                        const qm720::sim::StopSignals& stop) {
    // The last bytes written reach the tool's queue a little later, so an empty queue counts
    // only when it is seen twice, a pause apart.
    const Clock::time_point give_up = Clock::now() + kLongestDrain;
    int empty_checks = 0;
    while (empty_checks < 2 && !stop.requested() && Clock::now() < give_up) {
        stop.wait(-1, 0, Clock::now() + kDrainCheck);
        empty_checks = line.unread_by_tool() == 0 ? empty_checks + 1 : 0;
    }
}

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
    wait_until_drained(line, stop);
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
    if (options.version) {
        std::cout << "qm720-sim " QM720_VERSION "\n";
        return 0;
    }
    try {
        return serve_line(options);
    } catch (const std::exception& error) {
        std::cerr << "qm720-sim: " << error.what() << "\n";
        return 1;
    }
}
