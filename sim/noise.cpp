#include "sim/noise.h"

namespace qm720::sim {

std::int64_t Noise::offset(std::uint32_t amplitude) {
    const std::uint64_t span = 2 * std::uint64_t{amplitude} + 1;
    return static_cast<std::int64_t>(engine_() % span) - amplitude;
}

std::uint32_t Noise::between(std::uint32_t low, std::uint32_t high) {
    const std::uint64_t span = std::uint64_t{high} - low + 1;
    return low + static_cast<std::uint32_t>(engine_() % span);
}

std::uint8_t Noise::byte() {
    return static_cast<std::uint8_t>(engine_() >> 24);
}

}  // namespace qm720::sim
