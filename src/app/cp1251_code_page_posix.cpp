#include <iconv.h>

#include <array>

#include "app/cp1251_code_page.h"

namespace qm720 {

std::optional<char32_t> cp1251_code_point(std::uint8_t byte) {
    // Without iconv's tables ASCII still passes, so the log stays readable.
    const std::optional<char32_t> ascii =
        byte < 0x80 ? std::optional<char32_t>(byte) : std::nullopt;
    const iconv_t converter = iconv_open("UTF-32LE", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return ascii;
    }
    char in = static_cast<char>(byte);
    std::array<unsigned char, 4> out{};
    char* source = &in;
    char* target = reinterpret_cast<char*>(out.data());
    std::size_t source_left = 1;
    std::size_t target_left = out.size();
    const bool converted =
        iconv(converter, &source, &source_left, &target, &target_left) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!converted || target_left != 0) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

}  // namespace qm720
