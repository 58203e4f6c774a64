#include "trend/trend_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "recorded_session.h"

namespace qm720 {
namespace {

using test::tick_time;

// Sensor 2's level at ticks 0, 1, ... as given, one stretch.
TrendHistory levels_at_ticks(const std::vector<std::uint16_t>& levels) {
    TrendHistory history;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        history.add_reading(tick_time(static_cast<int>(k)), test::reading_of(2, levels[k]));
    }
    return history;
}

std::vector<double> values(const TrendLine& line) {
    std::vector<double> values;
    for (const TrendSample& sample : line) {
        values.push_back(sample.value);
    }
    return values;
}

TEST(TrendLines, ALineRunsOnToOneReadingPastEitherEdgeOfTheRange) {
    const TrendHistory history = levels_at_ticks({10, 11, 12, 13, 14, 15});
    const auto lines =
        trend_lines(history, 2, TrendQuantity::Level, {tick_time(2), tick_time(3)}, 100);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(values(lines[0]), (std::vector<double>{11, 12, 13, 14}));
    EXPECT_EQ(lines[0].front().time, tick_time(1));
}

TEST(TrendLines, StretchesOutsideTheRangeAndOtherSensorsAreLeftOut) {
    TrendHistory history = levels_at_ticks({10, 11});
    history.break_line();
    history.add_reading(tick_time(50), test::reading_of(2, 20));
    history.add_reading(tick_time(51), test::reading_of(9, 90));
    EXPECT_TRUE(
        trend_lines(history, 2, TrendQuantity::Level, {tick_time(20), tick_time(30)}, 100).empty());
    const auto lines =
        trend_lines(history, 9, TrendQuantity::Level, {tick_time(0), tick_time(60)}, 100);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(values(lines[0]), (std::vector<double>{90}));
}

TEST(TrendLines, EachQuantityIsReadFromItsOwnField) {
    TrendHistory history;
    MeasurementFields fields = test::reading_of(1, 300);
    fields.temperature = -12;
    fields.current_value = 123456;
    history.add_reading(tick_time(0), fields);
    const TimeRange all{tick_time(0), tick_time(1)};
    const struct {
        TrendQuantity quantity;
        double value;
    } cases[] = {{TrendQuantity::Level, 300},
                 {TrendQuantity::Temperature, -12},
                 {TrendQuantity::CurrentValue, 123456}};
    for (const auto& c : cases) {
        const auto lines = trend_lines(history, 1, c.quantity, all, 100);
        ASSERT_EQ(lines.size(), 1U);
        EXPECT_EQ(values(lines[0]), std::vector<double>{c.value});
    }
}

// A day at a reading a second, one spike in it: drawn from at most about 1000 samples, the
// spike, the first and the last reading among them, in time order.
TEST(TrendLines, AThinnedLineKeepsItsEndsAndItsSpikeInTimeOrder) {
    std::vector<std::uint16_t> levels(86400, 500);
    levels[40000] = 1000;
    levels[0] = 400;
    levels.back() = 600;
    const TrendHistory history = levels_at_ticks(levels);
    const auto lines =
        trend_lines(history, 2, TrendQuantity::Level, {tick_time(0), tick_time(86399)}, 1000);
    ASSERT_EQ(lines.size(), 1U);
    const TrendLine& line = lines[0];
    EXPECT_LE(line.size(), 1002U);
    EXPECT_EQ(line.front().value, 400);
    EXPECT_EQ(line.back().value, 600);
    EXPECT_EQ(
        std::count_if(line.begin(), line.end(), [](const auto& s) { return s.value == 1000; }), 1);
    EXPECT_TRUE(std::is_sorted(line.begin(), line.end(),
                               [](const auto& a, const auto& b) { return a.time < b.time; }));
}

}  // namespace
}  // namespace qm720
