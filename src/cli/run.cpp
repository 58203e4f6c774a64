#include "cli/run.h"

#include <CLI/CLI.hpp>
#include <string_view>

#include "cli/arguments.h"
#include "cli/changes.h"
#include "cli/command_line_parser.h"
#include "cli/failure.h"
#include "cli/mode_commands.h"
#include "cli/port_opening.h"
#include "cli/queries.h"
#ifdef QM720_EXPORTER
#include "cli/serve.h"
#endif
#include "cli/stop_signals.h"
#include "serial/system_serial_port.h"

namespace qm720::cli {

namespace {

// The option library quotes what it refuses, and a list of them may be long.
constexpr std::size_t kLongestMessage = 200;

// Known before parsing, so that even a command line the parser refuses is answered in JSON.
bool asks_for_json(int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        if (std::string_view(argv[k]) == "--json") {
            return true;
        }
    }
    return false;
}

void replace_all(std::string& text, std::string_view from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The parser's message with every long argument, and the value of a long --option=value, cut
// short as our own messages quote them.
std::string shortened_parser_message(std::string message, int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        std::string_view argument(argv[k]);
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            argument.remove_prefix(equals + 1);
        }
        if (argument.size() > kLongestEcho) {
            replace_all(message, argument, echoed(argument));
        }
    }
    return echoed(message, kLongestMessage);
}

void stop_when_asked() {
    if (const int signal_number = stop_signal(); signal_number != 0) {
        throw Stopped(signal_number);
    }
}

void run_on_sensors(const Command& command, const Invocation& invocation, Output& output,
                    std::ostream& err, const PortMaker& make_port) {
#ifdef QM720_EXPORTER
    if (command.name == "serve") {
        serve_command(make_port, invocation.port, output, command);
        return;
    }
#endif
    const auto port = make_port();
    open_port(*port, invocation.port);
    SensorLink link(*port, {std::chrono::milliseconds(invocation.timeout_ms), invocation.retries});
    const std::string& name = command.name;
    if (name == "scan") {
        scan_command(link, output, command, err);
    } else if (name == "read") {
        read_command(link, output, command);
    } else if (name == "identity") {
        identity_command(link, output, command);
    } else if (name == "watch") {
        watch_command(link, output, command);
    } else if (name == "calibrate") {
        calibrate_command(link, output, command);
    } else if (name == "shift") {
        shift_command(link, output, command);
    } else if (name == "set-mode") {
        set_mode_command(link, output, command);
    } else if (name == "set-address") {
        set_address_command(link, output, command);
    } else if (name == "set-serial") {
        set_serial_command(link, output, command);
    } else if (name == "password") {
        password_command(link, output, command);
    } else {
        provision_command(link, output, command);
    }
}

// Parses and checks everything first: the port is opened only for a command that can run.
void run_command_line(int argc, const char* const* argv, std::istream& input, Output& output,
                      std::ostream& out, std::ostream& err, const PortMaker& make_port) {
    CLI::App app("Reads and sets QM720 level sensors on an RS-485 line, for scripts.", "qm720-cli");
    Invocation invocation;
    declare_interface(app, invocation);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion&) {
        output.result({{"version", QM720_VERSION}}, "qm720-cli " QM720_VERSION);
        return;
    } catch (const CLI::Success& help) {
        app.exit(help, out, err);
        return;
    } catch (const CLI::ParseError& error) {
        throw Failure(ExitStatus::UsageError, shortened_parser_message(error.what(), argc, argv));
    }
    invocation.command = command_words(app);
    output.answer_in_json(invocation.json);
    const Command command = checked_command(invocation, input);
    if (command.name == "line shift") {
        line_shift_command(output, command);
    } else if (command.name == "line mode") {
        line_mode_command(output, command);
    } else {
        // Reading a password from standard input is where a stop signal may come first.
        stop_when_asked();
        run_on_sensors(command, invocation, output, err, make_port);
    }
}

// One line on standard error, and under --json the failure object, which standard output may
// no longer take.
void report(Output& output, std::ostream& err, const std::string& message,
            const nlohmann::json& fields = {}) {
    err << "qm720-cli: " << message << std::endl;
    try {
        output.failure(message, fields);
    } catch (const OutputClosed&) {
    }
}

}  // namespace

std::unique_ptr<SerialPort> system_port() {
    return make_system_serial_port(nullptr);
}

int run(int argc, const char* const* argv, std::istream& input, std::ostream& out,
        std::ostream& err, const PortMaker& make_port) {
    Output output(asks_for_json(argc, argv), out);
    try {
        run_command_line(argc, argv, input, output, out, err, make_port);
    } catch (const Failure& failure) {
        report(output, err, failure.what(), failure.fields());
        return static_cast<int>(failure.status());
    } catch (const Stopped& stopped) {
        report(output, err, "stopped by signal " + std::to_string(stopped.signal_number()));
        return stopped_status(stopped.signal_number());
    } catch (const OutputClosed& closed) {
        // A stop signal cuts a write short too; then the signal is the reason.
        const int signal_number = stop_signal() != 0 ? stop_signal() : kBrokenPipeSignal;
        err << "qm720-cli: " << closed.what() << std::endl;
        return stopped_status(signal_number);
    }
    return static_cast<int>(ExitStatus::Done);
}

}  // namespace qm720::cli
