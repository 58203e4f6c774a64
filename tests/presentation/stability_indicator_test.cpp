#include "presentation/stability_indicator.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/colours.h"

namespace qm720 {
namespace {

struct Stability {
    double tek_avg = 0.0;
    std::int16_t stab_cnt = 0;
    std::int16_t hold_cnt = 0;

    Colour reply(std::uint32_t value) {
        return stability_after_reply(tek_avg, stab_cnt, hold_cnt, value);
    }
};

// Counts how many replies in a row show each colour, in order: {{red, 38}, {yellow, 5}, ...}.
std::vector<std::pair<Colour, int>> phases(Stability& lamp, std::uint32_t value, int replies) {
    std::vector<std::pair<Colour, int>> runs;
    for (int k = 0; k < replies; ++k) {
        const Colour colour = lamp.reply(value);
        if (runs.empty() || runs.back().first != colour) {
            runs.push_back({colour, 0});
        }
        ++runs.back().second;
    }
    return runs;
}

TEST(StabilityIndicator, ConstantValueGoesRedThenYellowThenGreen) {
    for (const std::uint32_t value : {1u, 1000u, 123456u, 4294967295u}) {
        Stability lamp;
        const auto runs = phases(lamp, value, 100);
        ASSERT_EQ(runs.size(), 3u) << value;
        EXPECT_EQ(runs[0], std::make_pair(kRed, 38)) << value;
        EXPECT_EQ(runs[1], std::make_pair(kYellow, 5)) << value;
        EXPECT_EQ(runs[2], std::make_pair(kGreen, 57)) << value;
        EXPECT_EQ(lamp.stab_cnt, 5);
    }
}

TEST(StabilityIndicator, OneOutlierFromGreenNeedsTwoGoodRepliesToReturn) {
    Stability lamp;
    phases(lamp, 100000, 60);
    ASSERT_EQ(lamp.stab_cnt, 5);
    EXPECT_EQ(lamp.reply(101000), kYellow);
    EXPECT_EQ(lamp.stab_cnt, 4);
    // The average has moved towards the outlier; wait until values are within tolerance again.
    Stability settled = lamp;
    int replies = 0;
    while (settled.reply(100000) != kGreen && replies < 100) {
        ++replies;
    }
    EXPECT_LT(replies, 100);
    EXPECT_EQ(settled.stab_cnt, 5);
}

TEST(StabilityIndicator, EqualityWithTheToleranceCountsAsDeviation) {
    // From 4998.75 the average moves to exactly 4999, so the deviation is exactly 5000 / 5000.
    Stability lamp;
    lamp.tek_avg = 4998.75;
    lamp.stab_cnt = 3;
    lamp.reply(5000);
    EXPECT_DOUBLE_EQ(lamp.tek_avg, 4999.0);
    EXPECT_EQ(lamp.stab_cnt, 2);
}

TEST(StabilityIndicator, ZeroValuesKeepAverageAndScoreAndTheHoldTurnsGreenPastSixty) {
    Stability lamp;
    lamp.tek_avg = 42.0;
    lamp.stab_cnt = 3;
    EXPECT_EQ(lamp.reply(0), kYellow);
    EXPECT_DOUBLE_EQ(lamp.tek_avg, 42.0);
    EXPECT_EQ(lamp.stab_cnt, 3);
    EXPECT_EQ(lamp.hold_cnt, 2);
    lamp.hold_cnt = 59;
    EXPECT_EQ(lamp.reply(0), kGreen);
    EXPECT_EQ(lamp.hold_cnt, 60);
    EXPECT_EQ(lamp.stab_cnt, 5);
}

}  // namespace
}  // namespace qm720
