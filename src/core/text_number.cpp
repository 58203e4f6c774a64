#include "core/text_number.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace qm720 {
namespace {

constexpr std::string_view kBlanks = " \t";

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::int64_t> whole_number(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);

    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), is_digit)) {
        return std::nullopt;
    }

    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        return magnitude <= kMax ? std::optional<std::int64_t>(static_cast<std::int64_t>(magnitude))
                                 : std::nullopt;
    }
    if (magnitude > kMax + 1) {
        return std::nullopt;
    }
    // Negate in unsigned arithmetic so that the most negative value needs no special case.
    return static_cast<std::int64_t>(0 - magnitude);
}

std::optional<std::int64_t> number_in_range(std::string_view text, std::int64_t lowest,
                                            std::int64_t highest) {
    const std::optional<std::int64_t> number = whole_number(text);
    if (!number || *number < lowest || *number > highest) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::uint8_t> address_from_text(std::string_view text) {
    const auto address = number_in_range(text, 0, 255);
    if (!address) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*address);
}

}  // namespace qm720
