#include "protocol/reply_fields.h"

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

std::optional<MeasurementFields> measurement_fields(const Bytes& reply) {
    if (reply.size() < kShortestMeasurement) {
        return std::nullopt;
    }
    const auto raw_temperature = static_cast<std::uint8_t>(field_value(reply, kTemperatureField));
    MeasurementFields fields;
    fields.address = reply[kAddressOffset];
    fields.temperature = raw_temperature > 127 ? raw_temperature - 256 : raw_temperature;
    fields.level = static_cast<std::uint16_t>(field_value(reply, kLevelField));
    fields.current_value = field_value(reply, kCurrentValueField);
    fields.empty_value = field_value(reply, kEmptyValueField);
    fields.full_value = field_value(reply, kFullValueField);
    fields.k_value = static_cast<std::uint16_t>(field_value(reply, kKValueField));
    // A reply one byte shorter carries its CRC where the mode byte would stand.
    if (holds(reply, kModeByteField)) {
        fields.mode_byte = static_cast<std::uint8_t>(field_value(reply, kModeByteField));
    }
    return fields;
}

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
