#include "trend/trend_span.h"

#include <gtest/gtest.h>

#include "recorded_session.h"

namespace qm720 {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;
using test::tick_time;

TEST(TrendSpan, FollowsTheLastTenMinutesByDefault) {
    const TrendSpan span;
    const TimeRange shown = span.range(tick_time(0), tick_time(3600));
    EXPECT_EQ(shown.to, tick_time(3600));
    EXPECT_EQ(shown.width(), minutes(10));
}

TEST(TrendSpan, AFollowedSessionYoungerThanTenMinutesIsShownWhole) {
    const TrendSpan span;
    EXPECT_EQ(span.range(tick_time(0), tick_time(30)).from, tick_time(0));
    EXPECT_EQ(span.range(tick_time(0), tick_time(30)).to, tick_time(30));
}

TEST(TrendSpan, AZoomKeepsTheTimeUnderTheMouseAndHoldsTheRange) {
    TrendSpan span;
    const TimeRange shown{tick_time(0), tick_time(100)};
    span.zoom(shown, tick_time(80), 0.5);
    const TimeRange zoomed = span.range(tick_time(0), tick_time(5000));
    EXPECT_EQ(zoomed.from, tick_time(40));
    EXPECT_EQ(zoomed.to, tick_time(90));
}

TEST(TrendSpan, AZoomStopsAtTheNarrowestRange) {
    TrendSpan span;
    span.zoom({tick_time(0), tick_time(20)}, tick_time(0), 0.01);
    EXPECT_EQ(span.range(tick_time(0), tick_time(20)).width(), TrendSpan::kNarrowest);
}

TEST(TrendSpan, APanHoldsTheRangeUntilFollowingAgain) {
    TrendSpan span;
    span.pan({tick_time(100), tick_time(200)}, seconds(-30));
    EXPECT_EQ(span.range(tick_time(0), tick_time(900)).from, tick_time(70));
    EXPECT_EQ(span.range(tick_time(0), tick_time(900)).to, tick_time(170));
    span.follow();
    EXPECT_EQ(span.range(tick_time(0), tick_time(900)).to, tick_time(900));
}

}  // namespace
}  // namespace qm720
