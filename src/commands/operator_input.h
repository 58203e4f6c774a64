#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qm720 {

class frmSerial;

// A number the operator typed, when it is a whole number within [lowest, highest]; blanks
// around it and a sign are fine, anything else (fractions, exponents, hex, letters, an empty
// text, a number too long for any range) is not a number.
std::optional<std::int64_t> number_in_range(std::string_view text, std::int64_t lowest,
                                            std::int64_t highest);

// The address of a remote sensor typed into an input box: a number 0..255.
std::optional<std::uint8_t> remote_address(std::string_view text);

// Remote sensors answer at addresses below 200.
inline constexpr std::uint8_t kFirstNonRemoteAddress = 200;

}  // namespace qm720
