#include "cli/command_line_parser.h"

namespace qm720::cli {

namespace {

const std::vector<std::string> kLevels = {"full", "empty"};

CLI::App* command(CLI::App& app, const char* name, const char* what, Invocation& invocation) {
    CLI::App* sub = app.add_subcommand(name, what);
    if (std::string(name) != "scan" && std::string(name) != "provision") {
        sub->add_option("ADDR", invocation.address, "the sensor's network address")->required();
    }
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
    shift->add_option("LEVEL", invocation.value)->required()->check(CLI::IsMember(kLevels));
    shift->add_option("ADDR", invocation.address, "the remote sensor's address, below 200")
        ->required();
    shift->add_option("AMOUNT", invocation.amount, "-1000 ... 1000")->required();
    CLI::App* mode =
        line->add_subcommand("mode", "the command line of a mode (options not given: off)");
    mode->add_option("ADDR", invocation.address, "the remote sensor's address, below 200")
        ->required();
    declare_mode_options(*mode, invocation.mode);
}

}  // namespace

void declare_interface(CLI::App& app, Invocation& invocation) {
    app.add_option("--port", invocation.port, "COMn or a device path")->capture_default_str();
    app.add_flag("--json", invocation.json, "one JSON object per result");
    app.add_option("--timeout", invocation.timeout_ms, "ms to wait for each answer")
        ->check(CLI::Range(1, 60000))
        ->capture_default_str();
    app.add_option("--retries", invocation.retries, "resends of requests that change nothing")
        ->check(CLI::Range(0, 100))
        ->capture_default_str();
    app.require_subcommand(1);

    command(app, "scan", "addresses that answer the scan, ascending", invocation);
    command(app, "read", "one measurement, decoded", invocation);
    command(app, "identity", "serial number and software version", invocation);
    CLI::App* watch = command(app, "watch", "one CSV line per measurement", invocation);
    watch->add_option("--count", invocation.count, "measurements, then stop")
        ->check(CLI::PositiveNumber);
    watch->add_option("--interval", invocation.interval_ms, "ms between measurements")
        ->check(CLI::Range(0, 86'400'000));
    command(app, "calibrate", "store the current value as full or empty", invocation)
        ->add_option("LEVEL", invocation.value)
        ->required()
        ->check(CLI::IsMember(kLevels));
    CLI::App* shift = command(app, "shift", "move the stored full or empty level", invocation);
    shift->add_option("LEVEL", invocation.value)->required()->check(CLI::IsMember(kLevels));
    shift->add_option("AMOUNT", invocation.amount, "-1000 ... 1000")->required();
    declare_mode_options(
        *command(app, "set-mode", "change the mode; options not given keep theirs", invocation),
        invocation.mode);
    command(app, "set-address", "give the sensor a new address", invocation)
        ->add_option("NEW", invocation.value)
        ->required();
    command(app, "set-serial", "write the serial number", invocation)
        ->add_option("SERIAL", invocation.serial)
        ->required();
    command(app, "password", "enter or change the password, read from standard input", invocation)
        ->add_option("ACTION", invocation.value)
        ->required()
        ->check(CLI::IsMember({"enter", "change"}));
    CLI::App* provision =
        command(app, "provision", "serial, then address, then the identity checked", invocation);
    provision->add_option("--from", invocation.address, "the sensor's address now")->required();
    provision->add_option("--address", invocation.value, "its new address")->required();
    provision->add_option("--serial", invocation.serial, "its serial number")->required();
    declare_lines(app, invocation);
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
