#include "cli/arguments.h"

#include "app/text_number.h"
#include "cli/failure.h"
#include "cli/output_modes.h"
#include "protocol/mode_bits.h"

namespace qm720::cli {

namespace {

std::uint8_t with_bit(std::uint8_t mode, std::uint8_t bit, const std::optional<std::string>& on) {
    if (!on) {
        return mode;
    }
    return static_cast<std::uint8_t>(*on == "on" ? mode | bit : mode & ~bit);
}

}  // namespace

std::uint8_t address_argument(const std::string& text) {
    const auto address = address_from_text(text);
    if (!address) {
        throw Failure(ExitStatus::UsageError,
                      "an address is a whole number 0..255, not '" + text + "'");
    }
    return *address;
}

Level level_argument(const std::string& text) {
    return text == "full" ? Level::Full : Level::Empty;
}

std::int16_t shift_amount_argument(const std::string& text) {
    const auto amount = number_in_range(text, -kMaxShift, kMaxShift);
    if (!amount) {
        throw Failure(ExitStatus::UsageError, "Значения могут быть от -1000 до 1000");
    }
    return static_cast<std::int16_t>(*amount);
}

std::int64_t serial_number_argument(const std::string& text) {
    const auto serial = number_in_range(text, 0, kMaxSerialNumber);
    if (!serial) {
        throw Failure(ExitStatus::UsageError,
                      "a serial number is a whole number 0.." + std::to_string(kMaxSerialNumber));
    }
    return *serial;
}

std::uint8_t mode_with_options(std::uint8_t mode, const ModeOptions& options) {
    if (options.output) {
        mode = static_cast<std::uint8_t>((mode & ~kOutputModeMask) |
                                         *output_selector(*options.output));
    }
    mode = with_bit(mode, kSmoothingBit, options.smoothing);
    mode = with_bit(mode, kInversionBit, options.inversion);
    if (options.range) {
        mode = with_bit(mode, kRange4096Bit, *options.range == "4096" ? "on" : "off");
    }
    return mode;
}

}  // namespace qm720::cli
