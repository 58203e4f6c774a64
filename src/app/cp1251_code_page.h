#pragma once

#include <cstdint>
#include <optional>

namespace qm720 {

// The Unicode character that one cp1251 byte stands for, as the system's own code-page tables
// say; none for the code cp1251 leaves unassigned (0x98).
std::optional<char32_t> cp1251_code_point(std::uint8_t byte);

}  // namespace qm720
