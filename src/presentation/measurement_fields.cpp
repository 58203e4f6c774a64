#include "presentation/measurement_fields.h"

#include "presentation/reply_fields.h"

namespace qm720 {

namespace {

constexpr std::size_t kAddressOffset = 2;
constexpr std::size_t kTemperaturePosition = 4;
constexpr std::size_t kLevelPosition = 5;
constexpr std::size_t kCurrentValuePosition = 7;
constexpr std::size_t kEmptyValuePosition = 11;
constexpr std::size_t kFullValuePosition = 15;
constexpr std::size_t kKValuePosition = 19;
constexpr std::size_t kModeBytePosition = 21;

}  // namespace

std::optional<MeasurementFields> measurement_fields(const Bytes& reply) {
    if (reply.size() < kShortestMeasurement) {
        return std::nullopt;
    }
    const std::uint8_t raw_temperature = byte_at(reply, kTemperaturePosition);
    MeasurementFields fields;
    fields.address = byte_at(reply, kAddressOffset);
    fields.temperature = raw_temperature > 127 ? raw_temperature - 256 : raw_temperature;
    fields.level = u16_at(reply, kLevelPosition);
    fields.current_value = u32_at(reply, kCurrentValuePosition);
    fields.empty_value = u32_at(reply, kEmptyValuePosition);
    fields.full_value = u32_at(reply, kFullValuePosition);
    fields.k_value = u16_at(reply, kKValuePosition);
    // A 21-byte reply carries its CRC where the mode byte would stand.
    if (reply.size() > kModeBytePosition) {
        fields.mode_byte = byte_at(reply, kModeBytePosition);
    }
    return fields;
}

}  // namespace qm720
