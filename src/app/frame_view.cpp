#include "app/frame_view.h"

#include "app/cp1251.h"

namespace qm720 {
namespace {

// The view names the brackets ']' and '[' as the acknowledgements they once stood for.
constexpr std::uint8_t kClosingBracket = 0x5D;
constexpr std::uint8_t kOpeningBracket = 0x5B;
constexpr std::uint8_t kFirstShown = 0x30;
constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

std::string readable(std::uint8_t byte) {
    if (byte == kClosingBracket) {
        return "<ACK>";
    }
    if (byte == kOpeningBracket) {
        return "<NAK>";
    }
    if (byte >= kFirstShown) {
        return cp1251_char_to_utf8(byte).value_or(std::string(kReplacementCharacter));
    }
    if (byte == kCarriageReturn) {
        return "<CR>";
    }
    if (byte == kLineFeed) {
        return "<LF>";
    }
    return "@";
}

// "31 5 F0 FE ": upper case, no leading zero, a blank after every byte.
std::string spaced_hex(const Bytes& frame) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : frame) {
        if (byte >= 0x10) {
            text += kDigits[byte >> 4];
        }
        text += kDigits[byte & 0x0F];
        text += ' ';
    }
    return text;
}

}  // namespace

std::string readable_text(const Bytes& frame) {
    std::string text;
    for (const std::uint8_t byte : frame) {
        text += readable(byte);
    }
    return text;
}

std::string frame_view_text(const Bytes& frame) {
    return spaced_hex(frame) + "\r\n\r\n" + readable_text(frame);
}

}  // namespace qm720
