#include "cli/mode_commands.h"

#include "cli/arguments.h"
#include "cli/failure.h"
#include "cli/queries.h"
#include "protocol/command_line.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

std::uint8_t remote_address(const std::string& text) {
    const std::uint8_t address = address_argument(text);
    if (address >= kFirstNonRemoteAddress) {
        throw Failure(ExitStatus::UsageError, "Адрес д.б. менее 200.");
    }
    return address;
}

void print_line(Output& output, const Bytes& frame) {
    const std::string line = generated_command_line(frame).value_or("");
    output.result({{"line", line}}, line);
}

}  // namespace

void set_mode_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    const std::uint8_t mode = mode_with_options(reported_mode(link, address), invocation.mode);
    const Bytes reply = link.change(set_mode_request(address, mode),
                                    {{address}, {static_cast<std::uint8_t>(CommandCode::SetMode)}});
    if (!holds(reply, kConfirmedModeField) || reply[kConfirmedModeField.offset] != mode) {
        throw Failure(ExitStatus::NotConfirmed,
                      "the sensor did not confirm mode " + std::to_string(mode));
    }
    output.result({{"mode", mode}}, "mode set to " + std::to_string(mode));
}

void line_shift_command(Output& output, const Invocation& invocation) {
    const std::uint8_t address = remote_address(invocation.address);
    print_line(output, shift_request(address, level_argument(invocation.value),
                                     shift_amount_argument(invocation.amount)));
}

void line_mode_command(Output& output, const Invocation& invocation) {
    // Remote sensors take a new mode only in RS-485 output mode; options not given are off.
    if (invocation.mode.output.value_or("rs485") != "rs485") {
        throw Failure(ExitStatus::UsageError, "В этом режиме нельзя изменить.");
    }
    const std::uint8_t address = remote_address(invocation.address);
    ModeOptions options = invocation.mode;
    options.smoothing = options.smoothing.value_or("off");
    options.inversion = options.inversion.value_or("off");
    options.range = options.range.value_or("1024");
    print_line(output, set_mode_request(address, mode_with_options(0, options)));
}

}  // namespace qm720::cli
