#include "protocol/command_line.h"

#include "protocol/requests.h"

namespace qm720 {

std::string two_digit_hex(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::optional<std::string> generated_command_line(const Bytes& frame) {
    if (frame.size() <= kCodeOffset) {
        return std::nullopt;
    }
    std::string_view prefix;
    switch (static_cast<CommandCode>(frame[kCodeOffset])) {
        case CommandCode::ShiftFull:
        case CommandCode::ShiftEmpty:
            prefix = kShiftLinePrefix;
            break;
        case CommandCode::SetMode:
            prefix = kModeLinePrefix;
            break;
        default:
            return std::nullopt;
    }
    return std::string(prefix) + two_digit_hex(frame);
}

}  // namespace qm720
