#include "cli/command_line_parser.h"

namespace qm720::cli {

namespace {

const std::vector<std::string> kLevels = {"full", "empty"};

// A command on one sensor: its address comes first.
CLI::App* sensor_command(CLI::App& app, const char* name, const char* what,
                         Invocation& invocation) {
    CLI::App* sub = app.add_subcommand(name, what);
    sub->add_option("ADDR", invocation.address, "the sensor's network address")->required();
    return sub;
}

void declare_mode_options(CLI::App& sub, ModeOptions& mode) {
    sub.add_option("--output", mode.output, "output mode")
        ->check(CLI::IsMember({"rs485", "analog", "frequency", "periodic", "periodic-rs485"}));
    sub.add_option("--smoothing", mode.smoothing, "smoothing")->check(CLI::IsMember({"on", "off"}));
    sub.add_option("--inversion", mode.inversion, "display inversion")
        ->check(CLI::IsMember({"on", "off"}));
    sub.add_option("--range", mode.range, "level range")->check(CLI::IsMember({"1024", "4096"}));
}

void declare_lines(CLI::App& app, Invocation& invocation) {
    CLI::App* line =
        app.add_subcommand("line", "print the window's command lines for remote sensors");
    line->require_subcommand(1);
    CLI::App* shift = line->add_subcommand("shift", "the command line of a level shift");
    shift->add_option("LEVEL", invocation.level)->required()->check(CLI::IsMember(kLevels));
    shift->add_option("ADDR", invocation.address, "the remote sensor's address, below 200")
        ->required();
    shift->add_option("AMOUNT", invocation.amount, "-1000 ... 1000")->required();
    CLI::App* mode =
        line->add_subcommand("mode", "the command line of a mode (options not given: off)");
    mode->add_option("ADDR", invocation.address, "the remote sensor's address, below 200")
        ->required();
    declare_mode_options(*mode, invocation.mode);
}

#ifdef QM720_EXPORTER
void declare_serve(CLI::App& app, Invocation& invocation) {
    CLI::App* serve = app.add_subcommand(
        "serve", "poll the bus and serve the readings to Prometheus (read-only; until stopped)");
    serve->add_option("--listen", invocation.listen, "HOST:PORT of the HTTP endpoint")
        ->capture_default_str();
    serve->add_option("--interval", invocation.interval_ms, "shortest ms between two sweeps")
        ->check(CLI::Range(0, 86'400'000))
        ->capture_default_str();
    serve->add_option("--rescan", invocation.rescan_s, "seconds between scans when no ADDR")
        ->check(CLI::Range(1, 86'400))
        ->capture_default_str();
    serve->add_option("ADDR", invocation.addresses, "the addresses to poll (none: scan the bus)");
}
#endif

}  // namespace

void declare_interface(CLI::App& app, Invocation& invocation) {
    app.add_option("--port", invocation.port, "COMn or a device path")->capture_default_str();
    // The version text itself is the caller's to print, as text or as JSON.
    app.set_version_flag("--version", "", "print the version and exit");
    app.add_flag("--json", invocation.json, "one JSON object per result");
    app.add_option("--timeout", invocation.timeout_ms, "ms to wait for each answer")
        ->check(CLI::Range(1, 60000))
        ->capture_default_str();
    app.add_option("--retries", invocation.retries, "resends of requests that change nothing")
        ->check(CLI::Range(0, 100))
        ->capture_default_str();
    app.require_subcommand(1);

    app.add_subcommand("scan", "addresses that answer the scan and then a poll, ascending")
        ->add_flag("!--no-verify", invocation.verify_scan,
                   "list the scan answer as it came, without a poll to each address");
    sensor_command(app, "read", "one measurement, decoded", invocation);
    sensor_command(app, "identity", "serial number and software version", invocation);
    CLI::App* watch = sensor_command(app, "watch", "one CSV line per measurement", invocation);
    watch->add_option("--count", invocation.count, "measurements, then stop")
        ->check(CLI::PositiveNumber);
    watch->add_option("--interval", invocation.interval_ms, "ms between measurements")
        ->check(CLI::Range(0, 86'400'000));
    sensor_command(app, "calibrate", "store the current value as full or empty", invocation)
        ->add_option("LEVEL", invocation.level)
        ->required()
        ->check(CLI::IsMember(kLevels));
    CLI::App* shift =
        sensor_command(app, "shift", "move the stored full or empty level", invocation);
    shift->add_option("LEVEL", invocation.level)->required()->check(CLI::IsMember(kLevels));
    shift->add_option("AMOUNT", invocation.amount, "-1000 ... 1000")->required();
    declare_mode_options(
        *sensor_command(app, "set-mode", "change the mode; options not given keep theirs",
                        invocation),
        invocation.mode);
    sensor_command(app, "set-address", "give the sensor a new address", invocation)
        ->add_option("NEW", invocation.new_address)
        ->required();
    sensor_command(app, "set-serial", "write the serial number", invocation)
        ->add_option("SERIAL", invocation.serial)
        ->required();
    sensor_command(app, "password", "enter or change the password, read from standard input",
                   invocation)
        ->add_option("ACTION", invocation.action)
        ->required()
        ->check(CLI::IsMember({"enter", "change"}));
    CLI::App* provision =
        app.add_subcommand("provision", "serial, then address, then the identity checked");
    provision->add_option("--from", invocation.address, "the sensor's address now")->required();
    provision->add_option("--address", invocation.new_address, "its new address")->required();
    provision->add_option("--serial", invocation.serial, "its serial number")->required();
    declare_lines(app, invocation);
#ifdef QM720_EXPORTER
    declare_serve(app, invocation);
#endif
}

std::string command_words(const CLI::App& app) {
    std::string words;
    for (const CLI::App* sub = &app; !sub->get_subcommands().empty();) {
        sub = sub->get_subcommands().front();
        if (!words.empty()) {
            words += ' ';
        }
        words += sub->get_name();
    }
    return words;
}

}  // namespace qm720::cli
