#include "cli/run.h"

#include <CLI/CLI.hpp>

#include "cli/changes.h"
#include "cli/command_line_parser.h"
#include "cli/failure.h"
#include "cli/mode_commands.h"
#include "cli/port_opening.h"
#include "cli/queries.h"
#include "serial/system_serial_port.h"

namespace qm720::cli {

namespace {

void run_on_sensors(const Invocation& invocation, Output& output, std::istream& input) {
    const auto port = make_system_serial_port(nullptr);
    open_port(*port, invocation.port);
    SensorLink link(*port, {std::chrono::milliseconds(invocation.timeout_ms), invocation.retries});
    const std::string& command = invocation.command;
    if (command == "scan") {
        scan_command(link, output);
    } else if (command == "read") {
        read_command(link, output, invocation);
    } else if (command == "identity") {
        identity_command(link, output, invocation);
    } else if (command == "watch") {
        watch_command(link, output, invocation);
    } else if (command == "calibrate") {
        calibrate_command(link, output, invocation);
    } else if (command == "shift") {
        shift_command(link, output, invocation);
    } else if (command == "set-mode") {
        set_mode_command(link, output, invocation);
    } else if (command == "set-address") {
        set_address_command(link, output, invocation);
    } else if (command == "set-serial") {
        set_serial_command(link, output, invocation);
    } else if (command == "password") {
        password_command(link, output, invocation, input);
    } else {
        provision_command(link, output, invocation);
    }
}

}  // namespace

int run(int argc, const char* const* argv, std::istream& input, std::ostream& out,
        std::ostream& err) {
    CLI::App app("Reads and sets QM720 level sensors on an RS-485 line, for scripts.", "qm720-cli");
    // Every error in one line, as scripts log them; set before the commands, which inherit it.
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return "qm720-cli: " + std::string(error.what()) + "\n";
    });
    Invocation invocation;
    declare_interface(app, invocation);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help and version are successes; every other complaint of the option library is a
        // usage error.
        if (app.exit(error, out, err) == 0) {
            return static_cast<int>(ExitStatus::Done);
        }
        Output(invocation.json, out).failure(error.what());
        return static_cast<int>(ExitStatus::UsageError);
    }
    invocation.command = command_words(app);
    Output output(invocation.json, out);
    try {
        if (invocation.command == "line shift") {
            line_shift_command(output, invocation);
        } else if (invocation.command == "line mode") {
            line_mode_command(output, invocation);
        } else {
            run_on_sensors(invocation, output, input);
        }
    } catch (const Failure& failure) {
        output.failure(failure.what());
        err << "qm720-cli: " << failure.what() << std::endl;
        return static_cast<int>(failure.status());
    }
    return static_cast<int>(ExitStatus::Done);
}

}  // namespace qm720::cli
