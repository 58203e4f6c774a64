#include "presentation/identity_fields.h"

#include "protocol/reply_layout.h"

namespace qm720 {

namespace {

// A reply that ends with the serial number counts, its CRC standing in the number's top byte.
constexpr std::size_t kShortestWithSerialNumber = kSerialNumberField.end();
constexpr std::size_t kLengthWithVersion = kVersionPrefixField.end() + 1;

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
    fields.serial_number = field_value(reply, kSerialNumberField);
    if (reply.size() == kLengthWithVersion) {
        fields.software_version = static_cast<std::uint8_t>(field_value(reply, kVersionField));
        fields.version_text =
            version_text(*fields.software_version,
                         static_cast<std::uint8_t>(field_value(reply, kVersionPrefixField)));
    }
    return fields;
}

}  // namespace qm720
