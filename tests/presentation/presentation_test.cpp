#include <gtest/gtest.h>

#include <tuple>

#include "app/colours.h"
#include "app/stability_lamp.h"
#include "presentation/calibration_judgement.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

// Full over empty: light green in (1.8, 1.98), yellow in (1.6, 2.08); 600 counts a centimetre.
TEST(CalibrationJudgement, RatioColoursWithStrictBoundsAndTheHint) {
    const std::tuple<std::uint32_t, std::uint32_t, Colour> cases[] = {
        {100000, 180000, kYellow}, {100000, 180001, kLightGreen}, {100000, 197999, kLightGreen},
        {100000, 198000, kYellow}, {100000, 160000, kRed},        {100000, 160001, kYellow},
        {100000, 207999, kYellow}, {100000, 208000, kRed},        {0, 190000, kRed}};
    for (const auto& [empty, full, colour] : cases) {
        EXPECT_EQ(calibration_colour(empty, full), colour) << empty << " " << full;
    }
    for (const auto& [empty, centimetres] : {std::pair{301u, "1"}, {1500u, "2"}, {2100u, "4"}}) {
        EXPECT_EQ(
            calibration_hint(empty),
            std::string("Внимание! Установка Пустой соотв. длине около ") + centimetres + " см.");
    }
}

// Bits 1, 2, 4 pick an option, or leave R_f when they name none; 0, 3, 7 are flags.
TEST(ModeByte, SelectorPicksExactlyOneOptionAndFlagsFollowTheirBits) {
    const std::pair<std::uint8_t, std::string> cases[] = {
        {0x00, "R485 "}, {0x89, "R485 iinv usredn D_4096 "},
        {0x62, "R_a "},  {0x04, "R_f "},
        {0x06, "R_p "},  {0x10, "R_p485 "},
        {0x12, "R_f "},  {0x9F, "R_f iinv usredn D_4096 "}};
    for (const auto& [mode, checked] : cases) {
        test::FormHarness h;
        h.form.control("R_f").checked = true;
        show_mode(h.form, mode);
        std::string shown;
        for (const char* name :
             {"R485", "R_a", "R_f", "R_p", "R_p485", "iinv", "usredn", "D_4096"}) {
            shown += h.form.control(name).checked ? std::string(name) + ' ' : "";
        }
        EXPECT_EQ(shown, checked) << int(mode);
        EXPECT_EQ(h.form.level_full_scale, mode >= 0x80 ? 4096 : 1024) << int(mode);
        EXPECT_EQ(h.form.drawn_mode_text, std::to_string(mode));
    }
}

struct Reply : testing::Test {
    Reply() { h.form.start_up(); }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }
    bool enabled(const char* name) { return h.form.control(name).enabled; }

    test::FormHarness h;
};

// A later, older sensor disables nothing.
TEST_F(Reply, IdentityTextsAreShownAndLoggedAndVersionsEnableTheirGroups) {
    const struct {
        std::uint8_t version, prefix;
        const char* text;
        bool g130, g131, g163;
    } cases[] = {
        {42, 0, "4.2..", 0, 0, 0},   {7, 0, "7...", 0, 0, 0},     {105, 2, "21.0.5.", 0, 0, 0},
        {129, 0, "1.2.9.", 0, 0, 0}, {130, 0, "1.3.0.", 1, 0, 0}, {131, 0, "1.3.1.", 1, 1, 0},
        {162, 0, "1.6.2.", 1, 1, 0}, {163, 0, "1.6.3.", 1, 1, 1}, {120, 0, "1.2.0.", 1, 1, 1}};
    for (const auto& c : cases) {
        show_identity(h.form, test::identity_reply(4294967295u, c.version, c.prefix));
        EXPECT_EQ(caption("vv"), c.text) << int(c.version);
        EXPECT_EQ(test::logged_texts(h).back(), "Device: 4294967295  Ver Soft: " + caption("vv"));
        EXPECT_EQ(std::tuple(enabled("R_f"), enabled("R_p"), enabled("sdv_low"), enabled("low")),
                  std::tuple(c.g130, c.g131, c.g163, false))
            << int(c.version);
    }
}

// Up to 6 bytes there is no serial number; from 7 on there is, but a version only in 10.
TEST_F(Reply, ShortIdentityFramesShowWhatTheyHold) {
    for (const std::size_t length : {6u, 7u, 9u, 11u}) {
        Bytes frame = test::identity_reply(4294967295u, 163);
        frame.resize(length, 0x00);
        h.form.control("sn").caption = "77";
        show_identity(h.form, frame);
        EXPECT_EQ(caption("sn"), length < 7 ? "????????" : "4294967295") << length;
        EXPECT_EQ(caption("vv"), "-------------------") << length;
        EXPECT_FALSE(enabled("R_a")) << length;
    }
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>(3, "Device: 4294967295  Ver Soft: -------------------"));
}

TEST_F(Reply, MeasurementFillsEveryReadingAndLogsOneSummaryLine) {
    test::Measurement m{5, 0x19, 700, 4294967295u, 2147483648u, 4080218931u, 300, 0x80};
    show_measurement(h.form, m.frame());

    std::string shown;
    for (const char* name : {"uroven", "temp", "tek", "ne", "lo", "hi", "ko", "Kalibr_warning"}) {
        shown += caption(name) + '|';
    }
    EXPECT_EQ(shown,
              "700|25 °C|4294967295|5|2147483648|4080218931|300|"
              "Внимание! Установка Пустой соотв. длине около 3579139 см.|");
    EXPECT_EQ(h.form.control("hi").back_colour, kLightGreen);
    EXPECT_EQ(h.form.control("h").back_colour, kLightGreen);
    EXPECT_EQ(h.form.control("ind_stab").fill_colour, kRed);  // one reply is no stability
    const Control& bar = h.form.control("ProgressBar1");
    EXPECT_EQ(std::pair(bar.maximum, bar.value), std::pair(1024, 700));
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_FALSE(h.form.redraw_mode_from_next_reply);

    // The mode is drawn once; the bar takes its scale from the next reply and stays at full scale.
    m = {.temperature = 0x80, .level = 4095, .mode_byte = 0x01};
    show_measurement(h.form, m.frame());
    EXPECT_EQ(std::pair(bar.maximum, bar.value), std::pair(4096, 4095));
    EXPECT_EQ(h.form.mode_byte, 0x01);
    EXPECT_FALSE(h.form.control("iinv").checked);
    m = {.temperature = 0x7F, .level = 4096};
    show_measurement(h.form, m.frame());
    EXPECT_EQ(std::pair(caption("uroven"), bar.value), std::pair(std::string("4096"), 4095));
    EXPECT_EQ(test::logged_texts(h),
              (std::vector<std::string>{"700, 4294967295, 2147483648, 4080218931, 128, 25 °C",
                                        "4095, 100000, 100000, 190000, 128, -128 °C",
                                        "4096, 100000, 100000, 190000, 128, 127 °C"}));
}

// At 20 bytes the CRC stands in K's high byte, at 21 in the mode byte's place.
TEST_F(Reply, ShortMeasurementsShowNoModeByteAndBelowTwentyBytesNothing) {
    h.form.mode_byte = 0x55;
    const Bytes reply = test::Measurement{.k_value = 0x0102, .mode_byte = 0x08}.frame(false);
    for (const std::size_t length : {19u, 21u, 20u}) {
        Bytes frame(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(length));
        frame.back() = 0xC3;
        show_measurement(h.form, frame);
        EXPECT_EQ(h.form.mode_byte, 0x55) << length;
        EXPECT_TRUE(h.form.redraw_mode_from_next_reply) << length;
        EXPECT_EQ(caption("uroven"), length < 20 ? "нет данных" : "512") << length;
        EXPECT_EQ(caption("ko"), length == 20 ? "49922" : length == 21 ? "258" : "0") << length;
    }
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>(2, "512, 100000, 100000, 190000, , 23 °C"));
}

// The colours of `replies` replies of `value` in a row, as runs: {{red, 38}, {yellow, 5}}.
using Phases = std::vector<std::pair<Colour, int>>;
Phases phases(StabilityLamp& lamp, std::uint32_t value, int replies) {
    Phases runs;
    while (replies-- > 0) {
        const Colour colour = lamp.after_reply(value);
        if (runs.empty() || runs.back().first != colour) {
            runs.push_back({colour, 0});
        }
        ++runs.back().second;
    }
    return runs;
}

// 100100 moves the average 20 from 100000, inside the tolerance of 20.02.
TEST(StabilityIndicator, ColoursFollowTheRunOfValues) {
    StabilityLamp lamp;
    EXPECT_EQ(phases(lamp, 4294967295u, 100), (Phases{{kRed, 38}, {kYellow, 5}, {kGreen, 57}}));
    lamp = {};
    phases(lamp, 100000, 60);
    EXPECT_EQ(lamp.after_reply(100100), kYellow);
    EXPECT_EQ(lamp.score, 4);
    EXPECT_EQ(phases(lamp, 100000, 5), (Phases{{kYellow, 1}, {kGreen, 4}}));

    // A deviation exactly at the tolerance counts against; a value of 0 moves only the hold.
    lamp = {.average = 4998.75, .score = 3};
    lamp.after_reply(5000);
    EXPECT_EQ(std::pair(lamp.average, int(lamp.score)), std::pair(4999.0, 2));

    lamp = {.average = 42.0, .score = 3};
    EXPECT_EQ(lamp.after_reply(0), kYellow);
    EXPECT_EQ(std::tuple(lamp.average, int(lamp.score), int(lamp.hold)), std::tuple(42.0, 3, 2));
    lamp.hold = 59;
    EXPECT_EQ(lamp.after_reply(0), kGreen);
    EXPECT_EQ(std::pair(int(lamp.hold), int(lamp.score)), std::pair(60, 5));
}

}  // namespace
}  // namespace qm720
