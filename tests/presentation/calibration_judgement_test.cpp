#include "presentation/calibration_judgement.h"

#include <gtest/gtest.h>

#include "app/colours.h"

namespace qm720 {
namespace {

// Full over empty: light green strictly between 1.8 and 1.98, yellow strictly between 1.6 and
// 2.08, red elsewhere and without an empty level.
TEST(CalibrationJudgement, RatioColoursWithStrictBounds) {
    const struct {
        std::uint32_t empty, full;
        Colour expected;
    } cases[] = {
        {100000, 180000, kYellow},
        {100000, 180001, kLightGreen},
        {100000, 197999, kLightGreen},
        {100000, 198000, kYellow},
        {100000, 160000, kRed},
        {100000, 160001, kYellow},
        {100000, 207999, kYellow},
        {100000, 208000, kRed},
        {0, 190000, kRed},
        {2147483648u, 4080218931u, kLightGreen},  // past the signed 32-bit range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(calibration_colour(c.empty, c.full), c.expected) << c.empty << " " << c.full;
    }
}

// 600 counts a centimetre; halves go to the even neighbour.
TEST(CalibrationJudgement, HintRoundsHalvesToEven) {
    const std::pair<std::uint32_t, std::int64_t> cases[] = {
        {299, 0}, {300, 0}, {301, 1}, {900, 2}, {1500, 2}, {2100, 4}, {4294967295u, 7158279}};
    for (const auto& [empty, centimetres] : cases) {
        EXPECT_EQ(empty_level_centimetres(empty), centimetres) << empty;
    }
    EXPECT_EQ(calibration_hint(2100), "Внимание! Установка Пустой соотв. длине около 4 см.");
}

}  // namespace
}  // namespace qm720
