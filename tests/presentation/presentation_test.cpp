#include <gtest/gtest.h>

#include <tuple>

#include "app/colours.h"
#include "presentation/calibration_judgement.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"
#include "protocol/reply_fields.h"
#include "session/sensor_session.h"
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
    }
}

struct Reply : testing::Test {
    Reply() { h.form.start_up(); }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }
    bool enabled(const char* name) { return h.form.control(name).enabled; }
    void show_identity_reply(const Bytes& frame) {
        show_identity(h.form, IdentityTaken{.fields = identity_fields(frame), .new_sensor = false});
    }

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
        show_identity_reply(test::identity_reply(4294967295u, c.version, c.prefix));
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
        show_identity_reply(frame);
        EXPECT_EQ(caption("sn"), length < 7 ? "????????" : "4294967295") << length;
        EXPECT_EQ(caption("vv"), "-------------------") << length;
        EXPECT_FALSE(enabled("R_a")) << length;
    }
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>(3, "Device: 4294967295  Ver Soft: -------------------"));
}

// A measurement as the session reports it: not yet steady, on the 1024 scale, nothing to draw.
MeasurementTaken taken(const test::Measurement& m) {
    MeasurementTaken measurement;
    measurement.fields = *measurement_fields(m.frame());
    measurement.steadiness = Steadiness::Unsteady;
    return measurement;
}

TEST_F(Reply, MeasurementFillsEveryReadingAndLogsOneSummaryLine) {
    MeasurementTaken first =
        taken({5, 0x19, 700, 4294967295u, 2147483648u, 4080218931u, 300, 0x80});
    first.mode_to_draw = first.drawn_mode = 0x80;
    show_measurement(h.form, first);

    std::string shown;
    for (const char* name : {"uroven", "temp", "tek", "ne", "lo", "hi", "ko", "Kalibr_warning"}) {
        shown += caption(name) + '|';
    }
    EXPECT_EQ(shown,
              "700|25 °C|4294967295|5|2147483648|4080218931|300|"
              "Внимание! Установка Пустой соотв. длине около 3579139 см.|");
    EXPECT_EQ(h.form.control("hi").back_colour, kLightGreen);
    EXPECT_EQ(h.form.control("h").back_colour, kLightGreen);
    const Control& bar = h.form.control("ProgressBar1");
    EXPECT_EQ(std::pair(bar.maximum, bar.value), std::pair(1024, 700));
    EXPECT_TRUE(h.form.control("D_4096").checked);

    // The mode is drawn only when the session says so; the bar stays put at full scale.
    MeasurementTaken second = taken({.temperature = 0x80, .level = 4095, .mode_byte = 0x01});
    second.level_full_scale = 4096;
    second.drawn_mode = 0x80;
    show_measurement(h.form, second);
    EXPECT_EQ(std::pair(bar.maximum, bar.value), std::pair(4096, 4095));
    EXPECT_FALSE(h.form.control("iinv").checked);
    MeasurementTaken third = taken({.temperature = 0x7F, .level = 4096});
    third.level_full_scale = 4096;
    third.drawn_mode = 0x80;
    show_measurement(h.form, third);
    EXPECT_EQ(std::pair(caption("uroven"), bar.value), std::pair(std::string("4096"), 4095));
    EXPECT_EQ(test::logged_texts(h),
              (std::vector<std::string>{"700, 4294967295, 2147483648, 4080218931, 128, 25 °C",
                                        "4095, 100000, 100000, 190000, 128, -128 °C",
                                        "4096, 100000, 100000, 190000, 128, 127 °C"}));
}

// Before any mode is on the controls, its place in the log line stays empty.
TEST_F(Reply, TheLogLineLeavesTheModeEmptyUntilOneIsDrawn) {
    show_measurement(h.form, taken({}));
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>{"512, 100000, 100000, 190000, , 23 °C"});
}

TEST_F(Reply, TheStabilityLampShowsHowSteadyTheRunIs) {
    for (const auto& [steadiness, colour] : {std::pair{Steadiness::Unsteady, kRed},
                                             {Steadiness::Settling, kYellow},
                                             {Steadiness::Steady, kGreen}}) {
        MeasurementTaken measurement = taken({});
        measurement.steadiness = steadiness;
        show_measurement(h.form, measurement);
        EXPECT_EQ(h.form.control("ind_stab").fill_colour, colour) << int(steadiness);
    }
}

}  // namespace
}  // namespace qm720
