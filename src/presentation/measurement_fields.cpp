#include "presentation/measurement_fields.h"

#include "protocol/reply_layout.h"

namespace qm720 {

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

}  // namespace qm720
