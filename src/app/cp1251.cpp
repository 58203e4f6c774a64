#include "app/cp1251.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace qm720 {
namespace {

// iconv_open's failure value, compared without a cast at every use.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

class Converter {
  public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (descriptor_ != kNoConverter) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return descriptor_ != kNoConverter; }

    // Converts as much as it can; on return `in` points past what was taken.
    // The result is iconv's: -1 with errno set when it stopped early.
    std::size_t convert(std::string_view& in, std::string& out) {
        std::array<char, 256> buffer{};
        char* source = const_cast<char*>(in.data());
        std::size_t source_left = in.size();
        char* target = buffer.data();
        std::size_t target_left = buffer.size();
        const std::size_t result = iconv(descriptor_, &source, &source_left, &target, &target_left);
        out.append(buffer.data(), buffer.size() - target_left);
        in.remove_prefix(in.size() - source_left);
        return result;
    }

  private:
    iconv_t descriptor_;
};

constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

bool is_continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Drops one character that could not be converted: its lead byte and the continuation bytes
// after it, so that one bad character costs one "?".
void skip_character(std::string_view& utf8) {
    utf8.remove_prefix(1);
    for (int continuation = 0; continuation < 3 && !utf8.empty() && is_continuation(utf8.front());
         ++continuation) {
        utf8.remove_prefix(1);
    }
}

std::string converted_table_entry(unsigned char byte) {
    Converter converter("UTF-8", "CP1251");
    if (!converter.usable()) {
        return byte < 0x80 ? std::string(1, static_cast<char>(byte)) : std::string();
    }
    const char single = static_cast<char>(byte);
    std::string_view in(&single, 1);
    std::string out;
    if (converter.convert(in, out) == kFailed) {
        return {};
    }
    return out;
}

// Built once through iconv; an empty entry marks the unassigned code.
const std::array<std::string, 256>& cp1251_to_utf8_table() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> entries;
        for (unsigned byte = 0; byte < entries.size(); ++byte) {
            entries[byte] = converted_table_entry(static_cast<unsigned char>(byte));
        }
        return entries;
    }();
    return table;
}

}  // namespace

std::string utf8_to_cp1251(std::string_view utf8) {
    Converter converter("CP1251", "UTF-8");
    std::string out;
    while (!utf8.empty()) {
        if (converter.usable()) {
            const bool converted_all = converter.convert(utf8, out) != kFailed;
            if (converted_all || errno == E2BIG) {
                continue;
            }
        }
        // Without a converter ASCII still passes, so the log stays readable.
        if (static_cast<unsigned char>(utf8.front()) < 0x80) {
            out.push_back(utf8.front());
            utf8.remove_prefix(1);
            continue;
        }
        out.push_back('?');
        skip_character(utf8);
    }
    return out;
}

std::optional<std::string> cp1251_char_to_utf8(std::uint8_t byte) {
    const std::string& character = cp1251_to_utf8_table()[byte];
    if (character.empty()) {
        return std::nullopt;
    }
    return character;
}

}  // namespace qm720
