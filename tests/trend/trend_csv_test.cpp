#include "trend/trend_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "protocol/measurement_csv.h"
#include "recorded_session.h"

namespace qm720 {
namespace {

using test::kFirstTick;
using test::tick_time;

// "t<seconds since the first tick>", so that rows can be told apart without a time zone.
std::string seconds_since_first(TrendTime time) {
    // Appended, not added to a literal: GCC 12 misreads that as an overlapping copy (-Wrestrict)
    // in optimised builds.
    std::string text = "t";
    text +=
        std::to_string(std::chrono::duration_cast<std::chrono::seconds>(time - kFirstTick).count());
    return text;
}

std::vector<std::string> csv_lines(const std::string& csv) {
    std::vector<std::string> lines;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TrendCsv, TheColumnsAreWatchsAndTheMarkersText) {
    const auto lines = csv_lines(trend_csv(TrendHistory{}));
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0], std::string(kMeasurementCsvHeader) + ",marker");
    EXPECT_EQ(lines[0], "time,address,level,temperature,current,empty,full,mode,marker");
}

TEST(TrendCsv, ReadingsAndMarkersFollowInTheOrderTheyCame) {
    test::RecordedSession s;
    s.measure(100);
    s.confirm(calibrate_request(1, Level::Full));
    s.tick({}, true);
    s.measure(300, 5);
    const auto lines = csv_lines(trend_csv(s.history(), seconds_since_first));
    const std::vector<std::string> expected{
        "time,address,level,temperature,current,empty,full,mode,marker",
        "t2,1,100,23,100000,100000,190000,0,",
        "t3,1,500,23,100000,100000,190000,0,",
        "t4,1,,,,,,, Установлен верхний уровень.",
        "t6,5,300,23,100000,100000,190000,0,",
    };
    EXPECT_EQ(lines, expected);
}

TEST(TrendCsv, AReadingWithoutAModeByteLeavesTheModeEmpty) {
    TrendHistory history;
    history.add_reading(kFirstTick, test::reading_of(4, 9));
    EXPECT_EQ(csv_lines(trend_csv(history, seconds_since_first)).at(1), "t0,4,9,0,0,0,0,,");
}

TEST(TrendCsv, AMarkerTextWithACommaOrQuoteIsQuoted) {
    TrendHistory history;
    history.add_marker(kFirstTick, "a, \"b\"");
    EXPECT_EQ(csv_lines(trend_csv(history, seconds_since_first)).at(1),
              "t0,,,,,,,,\"a, \"\"b\"\"\"");
}

TEST(TrendCsv, EveryReadingOfADayIsWrittenNoneThinned) {
    TrendHistory history;
    for (int k = 0; k < 86400; ++k) {
        history.add_reading(tick_time(k), test::reading_of(1));
    }
    const std::string csv = trend_csv(history, seconds_since_first);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 86401);
}

}  // namespace
}  // namespace qm720
