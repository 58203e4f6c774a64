#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm720 {

// The log file is cp1251 while the program's texts are UTF-8. A character that cp1251 lacks,
// and any malformed UTF-8 sequence, becomes "?".
std::string utf8_to_cp1251(std::string_view utf8);

// One cp1251 byte as UTF-8 text; none for the one code cp1251 leaves unassigned (0x98).
std::optional<std::string> cp1251_char_to_utf8(std::uint8_t byte);

}  // namespace qm720
