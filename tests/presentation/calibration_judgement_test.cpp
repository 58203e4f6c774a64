#include "presentation/calibration_judgement.h"

#include <gtest/gtest.h>

#include "app/colours.h"

namespace qm720 {
namespace {

TEST(CalibrationJudgement, RatioColoursWithStrictBounds) {
    const struct {
        std::uint32_t empty, full;
        Colour expected;
    } cases[] = {
        {100000, 190000, kLightGreen},
        {100000, 198000, kYellow},
        {100000, 197999, kLightGreen},
        {100000, 180000, kYellow},
        {100000, 180001, kLightGreen},
        {100000, 160000, kRed},
        {100000, 160001, kYellow},
        {100000, 208000, kRed},
        {100000, 207999, kYellow},
        {100000, 0, kRed},
        {0, 190000, kRed},
        {0, 0, kRed},
        // Values past the signed 32-bit range are still unsigned counts.
        {2147483648u, 4080218931u, kLightGreen},
        {4294967295u, 4294967295u, kRed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(calibration_colour(c.empty, c.full), c.expected) << c.empty << " " << c.full;
    }
}

TEST(CalibrationJudgement, HintRoundsHalvesToEven) {
    const struct {
        std::uint32_t empty;
        std::int64_t centimetres;
    } cases[] = {
        {0, 0},
        {299, 0},
        {300, 0},
        {301, 1},
        {900, 2},
        {1500, 2},
        {2100, 4},
        {1800, 3},
        {600, 1},
        {19660500, 32768},
        {4294967295u, 7158279},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(empty_level_centimetres(c.empty), c.centimetres) << c.empty;
    }
}

TEST(CalibrationJudgement, HintTextHasTheNumberBetweenSingleBlanks) {
    EXPECT_EQ(calibration_hint(2100), "Внимание! Установка Пустой соотв. длине около 4 см.");
    EXPECT_EQ(calibration_hint(0), "Внимание! Установка Пустой соотв. длине около 0 см.");
}

}  // namespace
}  // namespace qm720
