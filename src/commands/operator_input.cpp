#include "commands/operator_input.h"

#include "app/text_number.h"

namespace qm720 {

std::optional<std::int64_t> number_in_range(std::string_view text, std::int64_t lowest,
                                            std::int64_t highest) {
    const std::optional<std::int64_t> number = whole_number(text);
    if (!number || *number < lowest || *number > highest) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::uint8_t> remote_address(std::string_view text) {
    const auto address = number_in_range(text, 0, 255);
    if (!address) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*address);
}

}  // namespace qm720
