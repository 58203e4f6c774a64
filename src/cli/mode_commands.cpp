#include "cli/mode_commands.h"

#include "cli/failure.h"
#include "cli/queries.h"
#include "protocol/command_line.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

void print_line(Output& output, const Bytes& frame) {
    const std::string line = generated_command_line(frame).value_or("");
    output.result({{"line", line}}, line);
}

}  // namespace

void set_mode_command(SensorLink& link, Output& output, const Command& command) {
    const std::uint8_t mode = mode_with_options(reported_mode(link, command.address), command.mode);
    const Bytes reply = link.change(set_mode_request(command.address, mode));
    if (!holds(reply, kConfirmedModeField) || reply[kConfirmedModeField.offset] != mode) {
        throw Failure(ExitStatus::NotConfirmed,
                      "the sensor did not confirm mode " + std::to_string(mode));
    }
    output.result({{"mode", mode}}, "mode set to " + std::to_string(mode));
}

void line_shift_command(Output& output, const Command& command) {
    print_line(output, shift_request(command.address, command.level, command.amount));
}

// Remote sensors take a new mode only in RS-485 output mode; options not given are off.
void line_mode_command(Output& output, const Command& command) {
    ModeOptions options = command.mode;
    options.smoothing = options.smoothing.value_or("off");
    options.inversion = options.inversion.value_or("off");
    options.range = options.range.value_or("1024");
    print_line(output, set_mode_request(command.address, mode_with_options(0, options)));
}

}  // namespace qm720::cli
