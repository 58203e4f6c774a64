#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qm720 {

// Typed text as a whole number: optional blanks around, an optional sign, decimal digits.
// Fractions, exponents, hexadecimal, letters and values beyond 64 bits have no value.
std::optional<std::int64_t> whole_number(std::string_view text);

}  // namespace qm720
