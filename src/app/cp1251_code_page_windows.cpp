#include <windows.h>

#include "app/cp1251_code_page.h"

namespace qm720 {

std::optional<char32_t> cp1251_code_point(std::uint8_t byte) {
    constexpr UINT kCyrillicCodePage = 1251;
    const char in = static_cast<char>(byte);
    wchar_t out = 0;
    if (MultiByteToWideChar(kCyrillicCodePage, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1) {
        return std::nullopt;
    }
    // Windows passes the unassigned 0x98 through as the C1 control U+0098; every other byte
    // of 0x80..0x9F is a letter or a sign, so a C1 control means "unassigned".
    if (out >= 0x80 && out <= 0x9F) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out);
}

}  // namespace qm720
