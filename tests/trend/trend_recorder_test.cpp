#include "trend/trend_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "recorded_session.h"
#include "trend/trend_lines.h"

namespace qm720 {
namespace {

using test::RecordedSession;
using test::tick_time;

std::vector<std::uint16_t> levels(const TrendHistory& history) {
    std::vector<std::uint16_t> levels;
    for (const TrendReading& reading : history.readings()) {
        levels.push_back(reading.fields.level);
    }
    return levels;
}

// Each stretch as "address:first reading..end".
std::vector<std::string> stretches(const TrendHistory& history) {
    std::vector<std::string> texts;
    for (const TrendStretch& stretch : history.stretches()) {
        texts.push_back(std::to_string(stretch.address) + ":" + std::to_string(stretch.begin) +
                        ".." + std::to_string(stretch.end));
    }
    return texts;
}

TEST(TrendRecorder, IntactMeasurementsBecomeReadingsAtTheirTicksTime) {
    RecordedSession s;
    for (const std::uint16_t level : {100, 200, 300}) {
        s.measure(level);
    }
    EXPECT_EQ(levels(s.history()), (std::vector<std::uint16_t>{100, 200, 300}));
    ASSERT_EQ(s.history().readings().size(), 3U);
    EXPECT_EQ(s.history().readings()[0].time, tick_time(2)) << "the two ticks before asked who";
    EXPECT_EQ(s.history().readings()[2].time, tick_time(4));
    EXPECT_EQ(stretches(s.history()), (std::vector<std::string>{"1:0..3"}));
}

struct Interruption {
    const char* what;
    std::function<void(RecordedSession&)> happen;
    bool breaks_the_line;
};

class TrendRecorderInterruption : public ::testing::TestWithParam<Interruption> {};

TEST_P(TrendRecorderInterruption, OnlyATickWithoutAUsableAnswerBreaksTheLine) {
    RecordedSession s;
    s.measure(100);
    GetParam().happen(s);
    s.measure(200);
    EXPECT_EQ(s.history().stretches().size(), GetParam().breaks_the_line ? 2U : 1U)
        << "stretches: " << ::testing::PrintToString(stretches(s.history()));
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, TrendRecorderInterruption,
    ::testing::Values(Interruption{"silence", [](RecordedSession& s) { s.tick({}, true); }, true},
                      Interruption{"damaged reply",
                                   [](RecordedSession& s) {
                                       Bytes damaged = test::Measurement{}.frame();
                                       damaged.back() ^= 0xFF;
                                       s.tick(damaged, true);
                                   },
                                   true},
                      Interruption{"unknown code",
                                   [](RecordedSession& s) {
                                       s.tick(with_crc({0x3E, 0x01, 0x77}), true);
                                   },
                                   true},
                      Interruption{"failed write",
                                   [](RecordedSession& s) {
                                       s.port.write_counts.push_back(0);
                                       s.tick({}, true);
                                   },
                                   true},
                      Interruption{
                          "confirmation",
                          [](RecordedSession& s) { s.confirm(calibrate_request(1, Level::Full)); },
                          false}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(TrendRecorder, AChangeOfAddressStartsAnotherTraceThatNeverJoinsTheFirst) {
    RecordedSession s;
    s.measure(100, 1);
    s.measure(200, 1);
    s.measure(700, 5);
    s.measure(300, 1);
    EXPECT_EQ(s.history().addresses(), (std::vector<std::uint8_t>{1, 5}));
    EXPECT_EQ(stretches(s.history()), (std::vector<std::string>{"1:0..2", "5:2..3", "1:3..4"}));
    const auto lines =
        trend_lines(s.history(), 1, TrendQuantity::Level, {tick_time(0), tick_time(10)}, 100);
    ASSERT_EQ(lines.size(), 2U) << "sensor 1's readings either side of sensor 5's are joined";
    EXPECT_EQ(lines[0].back().value, 200);
    EXPECT_EQ(lines[1].front().value, 300);
}

TEST(TrendRecorder, ASensorSwappedAtTheSameAddressStartsANewStretch) {
    TrendHistory history;
    const MeasurementFields fields = test::reading_of(3);
    history.add_reading(tick_time(0), fields);
    history.add_reading(tick_time(1), fields, true);
    EXPECT_EQ(stretches(history), (std::vector<std::string>{"3:0..1", "3:1..2"}));
}

struct Confirmation {
    const char* what;
    Bytes request;
    const char* status_text;
};

class TrendRecorderMarker : public ::testing::TestWithParam<Confirmation> {};

TEST_P(TrendRecorderMarker, AConfirmedCommandIsMarkedWithTheStatusLinesTextWhenItsAnswerCame) {
    RecordedSession s;
    s.confirm(GetParam().request);
    ASSERT_EQ(s.history().markers().size(), 1U);
    EXPECT_EQ(s.history().markers()[0].text, GetParam().status_text);
    EXPECT_EQ(s.history().markers()[0].time, tick_time(3));
    EXPECT_EQ(s.history().markers()[0].address, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TrendRecorderMarker,
    ::testing::Values(
        Confirmation{"calibrate_full", calibrate_request(1, Level::Full),
                     " Установлен верхний уровень."},
        Confirmation{"shift_empty", shift_request(1, Level::Empty, -20), "Сдвинут нижний уровень."},
        Confirmation{"mode", set_mode_request(1, 0x08), " Установлен новый режим."},
        Confirmation{"address", set_address_request(1, 7), " Установлен сетевой номер."}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TrendRecorder, ARefusedPasswordIsNoMarker) {
    RecordedSession s;
    s.session.queue(*four_byte_request(1, CommandCode::EnterPassword, 1234));
    s.measure(500);
    s.tick(with_crc({0x3E, 0x01, 0xFD}));
    EXPECT_TRUE(s.history().markers().empty());
}

}  // namespace
}  // namespace qm720
