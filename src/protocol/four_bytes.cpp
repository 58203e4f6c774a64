#include "protocol/four_bytes.h"

#include <limits>

namespace qm720 {

std::optional<Bytes> four_bytes(std::int64_t num) {
    if (num < 0 || num > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    const auto value = static_cast<std::uint32_t>(num);
    return Bytes{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                 static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

}  // namespace qm720
