#include "cli/serve.h"

#include <algorithm>
#include <thread>

#include "cli/bus_monitor.h"
#include "cli/failure.h"
#include "cli/metrics_server.h"
#include "cli/metrics_text.h"
#include "cli/port_opening.h"
#include "cli/stop_signals.h"

namespace qm720::cli {

namespace {

// How often a wait between sweeps looks for a stop signal: well inside the second a stop may
// take.
constexpr std::chrono::milliseconds kStopCheck{50};

bool stop_asked() {
    return stop_signal() != 0;
}

void wait_until(std::chrono::steady_clock::time_point until) {
    for (auto now = std::chrono::steady_clock::now(); now < until && !stop_asked();
         now = std::chrono::steady_clock::now()) {
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kStopCheck, until - now));
    }
}

std::string listen_text(const ListenAddress& listen) {
    const bool ipv6 = listen.host.find(':') != std::string::npos;
    return (ipv6 ? "[" + listen.host + "]" : listen.host) + ":" + std::to_string(listen.port);
}

}  // namespace

void serve_command(const PortMaker& make_port, const std::string& port_name, Output& output,
                   const Command& command) {
    std::unique_ptr<BusMonitor> monitor;
    MetricsServer server([&monitor] { return metrics_text(monitor->report()); });
    const std::string where = listen_text(command.listen);
    if (const auto refused = server.listen_on(command.listen.host, command.listen.port)) {
        throw Failure(ExitStatus::PortUnavailable, "cannot listen on " + where + ": " + *refused,
                      {{"listen", where}});
    }
    const auto port = make_port();
    open_port(*port, port_name);
    monitor = std::make_unique<BusMonitor>(
        *port, MonitorSettings{.addresses = command.addresses, .rescan_period = command.rescan});
    server.start();
    output.result({{"listen", where}}, "serving http://" + where + "/metrics");
    while (!stop_asked()) {
        const auto started = std::chrono::steady_clock::now();
        monitor->sweep(stop_asked);
        if (monitor->line_failed()) {
            // An adapter unplugged and plugged back comes back under the same name: the sweeps
            // go on (its sensors down meanwhile) and each tries the port afresh.
            port->close();
            port->open(port_device(port_name), kSensorLine);
        }
        wait_until(started + command.interval);
    }
    server.stop();
}

}  // namespace qm720::cli
