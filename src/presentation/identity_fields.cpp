#include "presentation/identity_fields.h"

#include "presentation/reply_fields.h"

namespace qm720 {

namespace {

constexpr std::size_t kShortestWithSerialNumber = 7;
constexpr std::size_t kLengthWithVersion = 10;
constexpr std::size_t kSerialNumberPosition = 4;
constexpr std::size_t kVersionPosition = 8;
constexpr std::size_t kVersionPrefixPosition = 9;

// 131 reads "1.3.1."; a prefix goes straight before the first digit (2 and 105: "21.0.5.").
// Every one of the three digit places keeps its dot, present or not (42: "4.2..").
std::string version_text(std::uint8_t version, std::uint8_t prefix) {
    std::string text = prefix != 0 ? std::to_string(prefix) : std::string();
    const std::string digits = std::to_string(version);
    for (std::size_t place = 0; place < 3; ++place) {
        if (place < digits.size()) {
            text += digits[place];
        }
        text += '.';
    }
    return text;
}

}  // namespace

std::optional<IdentityFields> identity_fields(const Bytes& reply) {
    if (reply.size() < kShortestWithSerialNumber) {
        return std::nullopt;
    }
    IdentityFields fields;
    fields.serial_number = u32_at(reply, kSerialNumberPosition);
    if (reply.size() == kLengthWithVersion) {
        fields.software_version = byte_at(reply, kVersionPosition);
        fields.version_text =
            version_text(*fields.software_version, byte_at(reply, kVersionPrefixPosition));
    }
    return fields;
}

}  // namespace qm720
