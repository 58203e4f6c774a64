#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qm720 {

// Typed text as a whole number: optional blanks around, an optional sign, decimal digits.
// Fractions, exponents, hexadecimal, letters and values beyond 64 bits have no value.
std::optional<std::int64_t> whole_number(std::string_view text);

// A whole number within [lowest, highest]; anything else has no value.
std::optional<std::int64_t> number_in_range(std::string_view text, std::int64_t lowest,
                                            std::int64_t highest);

// A network address typed as a whole number 0..255.
std::optional<std::uint8_t> address_from_text(std::string_view text);

}  // namespace qm720
