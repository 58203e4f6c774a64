#include "presentation/calibration_judgement.h"

#include "app/colours.h"

namespace qm720 {

namespace {

constexpr std::uint32_t kCountsPerCentimetre = 600;

}  // namespace

Colour calibration_colour(std::uint32_t empty_value, std::uint32_t full_value) {
    // No ratio without an empty level: such a calibration is plainly unusable.
    if (empty_value == 0) {
        return kRed;
    }
    const double ratio = static_cast<double>(full_value) / static_cast<double>(empty_value);
    if (ratio > 1.8 && ratio < 1.98) {
        return kLightGreen;
    }
    if (ratio > 1.6 && ratio < 2.08) {
        return kYellow;
    }
    return kRed;
}

std::int64_t empty_level_centimetres(std::uint32_t empty_value) {
    std::int64_t quotient = empty_value / kCountsPerCentimetre;
    const std::uint32_t remainder = empty_value % kCountsPerCentimetre;
    const std::uint32_t half = kCountsPerCentimetre / 2;
    if (remainder > half || (remainder == half && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

std::string calibration_hint(std::uint32_t empty_value) {
    return "Внимание! Установка Пустой соотв. длине около " +
           std::to_string(empty_level_centimetres(empty_value)) + " см.";
}

}  // namespace qm720
