#include "app/stability_lamp.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/colours.h"

namespace qm720 {
namespace {

struct Stability : StabilityLamp {
    Colour reply(std::uint32_t value) { return after_reply(value); }
    // How many replies of `value` in a row show each colour, in order: {{red, 38}, {yellow, 5}}.
    std::vector<std::pair<Colour, int>> phases(std::uint32_t value, int replies) {
        std::vector<std::pair<Colour, int>> runs;
        for (int k = 0; k < replies; ++k) {
            const Colour colour = reply(value);
            if (runs.empty() || runs.back().first != colour) {
                runs.push_back({colour, 0});
            }
            ++runs.back().second;
        }
        return runs;
    }
};

using Phases = std::vector<std::pair<Colour, int>>;

TEST(StabilityIndicator, ConstantValueGoesRedThenYellowThenGreen) {
    for (const std::uint32_t value : {1u, 123456u, 4294967295u}) {
        Stability lamp;
        EXPECT_EQ(lamp.phases(value, 100), (Phases{{kRed, 38}, {kYellow, 5}, {kGreen, 57}}))
            << value;
        EXPECT_EQ(lamp.score, 5);
    }
}

// 100100 moves the average 20 away from 100000, a tolerance of 20.02: the first good reply after
// it is still yellow.
TEST(StabilityIndicator, OneOutlierFromGreenNeedsTwoGoodRepliesToReturn) {
    Stability lamp;
    lamp.phases(100000, 60);
    EXPECT_EQ(lamp.reply(100100), kYellow);
    EXPECT_EQ(lamp.score, 4);
    EXPECT_EQ(lamp.phases(100000, 5), (Phases{{kYellow, 1}, {kGreen, 4}}));
}

// A deviation equal to the tolerance counts against the score. A value of 0 is no measurement: it
// leaves average and score alone, and a run of them turns the lamp green once the hold passes 60.
TEST(StabilityIndicator, DeviationAtTheToleranceAndZeroValues) {
    // From 4998.75 the average moves to exactly 4999, so the deviation is exactly 5000 / 5000.
    Stability lamp{{.average = 4998.75, .score = 3}};
    lamp.reply(5000);
    EXPECT_DOUBLE_EQ(lamp.average, 4999.0);
    EXPECT_EQ(lamp.score, 2);

    lamp = {{.average = 42.0, .score = 3}};
    EXPECT_EQ(lamp.reply(0), kYellow);
    EXPECT_DOUBLE_EQ(lamp.average, 42.0);
    EXPECT_EQ(lamp.score, 3);
    EXPECT_EQ(lamp.hold, 2);
    lamp.hold = 59;
    EXPECT_EQ(lamp.reply(0), kGreen);
    EXPECT_EQ(lamp.hold, 60);
    EXPECT_EQ(lamp.score, 5);
}

}  // namespace
}  // namespace qm720
