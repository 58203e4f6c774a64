#include "app/cp1251.h"

#include <array>
#include <map>

#include "app/cp1251_code_page.h"

namespace qm720 {
namespace {

using CodePage = std::array<std::optional<char32_t>, 256>;

// Asked of the system once.
const CodePage& code_page() {
    static const CodePage table = [] {
        CodePage entries;
        for (unsigned byte = 0; byte < entries.size(); ++byte) {
            entries[byte] = cp1251_code_point(static_cast<std::uint8_t>(byte));
        }
        return entries;
    }();
    return table;
}

const std::map<char32_t, char>& bytes_by_code_point() {
    static const std::map<char32_t, char> bytes = [] {
        std::map<char32_t, char> entries;
        for (unsigned byte = 0; byte < code_page().size(); ++byte) {
            if (const auto code_point = code_page()[byte]) {
                entries.emplace(*code_point, static_cast<char>(byte));
            }
        }
        return entries;
    }();
    return bytes;
}

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The character that starts `utf8`, and how many bytes it takes; none for a malformed, overlong,
// surrogate or cut-off sequence.
std::optional<std::pair<char32_t, std::size_t>> first_character(std::string_view utf8) {
    const auto lead = static_cast<unsigned char>(utf8.front());
    if (lead < 0x80) {
        return std::pair<char32_t, std::size_t>{lead, 1};
    }
    std::size_t length = 0;
    char32_t code_point = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code_point = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code_point = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code_point = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (utf8.size() < length) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[k]);
        if (!is_continuation(next)) {
            return std::nullopt;
        }
        code_point = code_point << 6 | (next & 0x3F);
    }
    if (code_point < smallest || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair<char32_t, std::size_t>{code_point, length};
}

// A malformed sequence costs one "?": its lead byte and the continuation bytes after it.
std::size_t malformed_length(std::string_view utf8) {
    std::size_t length = 1;
    while (length < 4 && length < utf8.size() &&
           is_continuation(static_cast<unsigned char>(utf8[length]))) {
        ++length;
    }
    return length;
}

// Every cp1251 character lies below U+10000: three bytes at most.
std::string utf8_of(char32_t code_point) {
    std::string out;
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | code_point >> 6);
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code_point >> 12);
        out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
    return out;
}

}  // namespace

std::string utf8_to_cp1251(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const auto character = first_character(utf8);
        if (!character) {
            out += '?';
            utf8.remove_prefix(malformed_length(utf8));
            continue;
        }
        const auto byte = bytes_by_code_point().find(character->first);
        out += byte != bytes_by_code_point().end() ? byte->second : '?';
        utf8.remove_prefix(character->second);
    }
    return out;
}

std::optional<std::string> cp1251_char_to_utf8(std::uint8_t byte) {
    const auto code_point = code_page()[byte];
    if (!code_point) {
        return std::nullopt;
    }
    return utf8_of(*code_point);
}

}  // namespace qm720
