#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bytes.h"
#include "protocol/frame_layout.h"

namespace qm720 {

// Where a number stands in a reply's payload and how many bytes it takes. Replies carry numbers
// least significant byte first.
struct ReplyField {
    std::size_t offset;
    std::size_t width;

    constexpr std::size_t end() const { return offset + width; }
};

// A measurement reply (code 0xF0). The mode byte is missing from replies one byte shorter.
inline constexpr ReplyField kTemperatureField{kPayloadOffset, 1};  // signed
inline constexpr ReplyField kLevelField{kTemperatureField.end(), 2};
inline constexpr ReplyField kCurrentValueField{kLevelField.end(), 4};
inline constexpr ReplyField kEmptyValueField{kCurrentValueField.end(), 4};
inline constexpr ReplyField kFullValueField{kEmptyValueField.end(), 4};
// K: the sensor's own 16-bit figure, which nothing here interprets; the window keeps it in the
// hidden `ko` and qm720-cli prints it as "k".
inline constexpr ReplyField kKValueField{kFullValueField.end(), 2};
inline constexpr ReplyField kModeByteField{kKValueField.end(), 1};

// An identity reply (code 0xFC). Only replies of full length carry the version.
inline constexpr ReplyField kSerialNumberField{kPayloadOffset, 4};
inline constexpr ReplyField kVersionField{kSerialNumberField.end(), 1};
inline constexpr ReplyField kVersionPrefixField{kVersionField.end(), 1};

// A mode confirmation (code 0xF2) repeats the mode byte the sensor took.
inline constexpr ReplyField kConfirmedModeField{kPayloadOffset, 1};

// Whether the field stands in `reply` with the CRC still after it.
inline bool holds(const Bytes& reply, ReplyField field) {
    return reply.size() > field.end();
}

// The field's value; the caller has checked that the reply reaches the field's end.
inline std::uint32_t field_value(const Bytes& reply, ReplyField field) {
    std::uint32_t value = 0;
    for (std::size_t k = field.width; k > 0; --k) {
        value = value << 8 | reply[field.offset + k - 1];
    }
    return value;
}

// Writes `value` into the field of a reply that is long enough.
inline void set_field(Bytes& reply, ReplyField field, std::uint32_t value) {
    for (std::size_t k = 0; k < field.width; ++k) {
        reply[field.offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
    }
}

}  // namespace qm720
