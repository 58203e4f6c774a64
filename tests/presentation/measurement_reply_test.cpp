#include "presentation/measurement_reply.h"

#include <gtest/gtest.h>

#include "app/colours.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::Measurement;

class MeasurementReply : public ::testing::Test {
  protected:
    void SetUp() override { h.form.Form_Load(); }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }

    test::FormHarness h;
};

TEST_F(MeasurementReply, FillsEveryReadingAndLogsOneSummaryLine) {
    Measurement m;
    m.address = 5;
    m.temperature = 0x19;
    m.level = 700;
    m.current_value = 123456;
    m.empty_value = 100000;
    m.full_value = 190000;
    m.k_value = 300;
    m.mode_byte = 0x80;
    all_data_to_form(h.form, m.frame());

    EXPECT_EQ(caption("uroven"), "700");
    EXPECT_EQ(caption("temp"), "25 °C");
    EXPECT_EQ(caption("tek"), "123456");
    EXPECT_EQ(caption("ne"), "5");
    EXPECT_EQ(caption("lo"), "100000");
    EXPECT_EQ(caption("hi"), "190000");
    EXPECT_EQ(caption("ko"), "300");
    EXPECT_EQ(caption("Kalibr_warning"), "Внимание! Установка Пустой соотв. длине около 167 см.");
    EXPECT_EQ(h.form.control("hi").back_colour, kLightGreen);
    EXPECT_EQ(h.form.control("h").back_colour, kLightGreen);
    EXPECT_EQ(h.form.control("ProgressBar1").value, 700);
    EXPECT_EQ(h.form.mode_byte, 0x80);
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_FALSE(h.form.mode_yes);
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>{"700, 123456, 100000, 190000, 128, 25 °C"});
}

TEST_F(MeasurementReply, TemperatureIsSignedWithDegreeSuffix) {
    const struct {
        std::uint8_t raw;
        const char* shown;
    } cases[] = {{0x00, "0 °C"},    {0x19, "25 °C"}, {0x7F, "127 °C"},
                 {0x80, "-128 °C"}, {0xFF, "-1 °C"}, {0xFB, "-5 °C"}};
    for (const auto& c : cases) {
        Measurement m;
        m.temperature = c.raw;
        all_data_to_form(h.form, m.frame());
        EXPECT_EQ(caption("temp"), c.shown) << int(c.raw);
    }
}

TEST_F(MeasurementReply, LevelBarMovesOnlyStrictlyBelowItsScale) {
    const struct {
        std::int16_t scale;
        std::uint16_t level;
        int bar_after;
    } cases[] = {{1024, 1023, 1023}, {1024, 1024, 100}, {1024, 65535, 100},
                 {4096, 4095, 4095}, {4096, 4096, 100}, {4096, 2000, 2000}};
    for (const auto& c : cases) {
        h.form.Ur_progressBar = c.scale;
        h.form.mode_yes = false;
        Measurement start;
        start.level = 100;
        all_data_to_form(h.form, start.frame());
        Measurement m;
        m.level = c.level;
        all_data_to_form(h.form, m.frame());
        EXPECT_EQ(h.form.control("ProgressBar1").maximum, c.scale);
        EXPECT_EQ(h.form.control("ProgressBar1").value, c.bar_after) << c.level;
        EXPECT_EQ(caption("uroven"), std::to_string(c.level));
    }
}

TEST_F(MeasurementReply, NewScaleFromTheModeByteTakesEffectOnTheNextReply) {
    Measurement m;
    m.mode_byte = 0x80;
    m.level = 2000;
    all_data_to_form(h.form, m.frame());
    EXPECT_EQ(h.form.control("ProgressBar1").maximum, 1024);
    EXPECT_EQ(h.form.Ur_progressBar, 4096);
    all_data_to_form(h.form, m.frame());
    EXPECT_EQ(h.form.control("ProgressBar1").maximum, 4096);
    EXPECT_EQ(h.form.control("ProgressBar1").value, 2000);
}

TEST_F(MeasurementReply, ModeByteStoredAlwaysButDrawnOnlyWhenAsked) {
    Measurement m;
    m.mode_byte = 0x08;
    all_data_to_form(h.form, m.frame());
    EXPECT_TRUE(h.form.control("usredn").checked);

    m.mode_byte = 0x01;
    all_data_to_form(h.form, m.frame());
    EXPECT_EQ(h.form.mode_byte, 0x01);
    EXPECT_TRUE(h.form.control("usredn").checked);
    EXPECT_FALSE(h.form.control("iinv").checked);
    EXPECT_EQ(test::logged_texts(h).back(), "512, 100000, 100000, 190000, 8, 23 °C");
}

TEST_F(MeasurementReply, TwentyOneByteReplyHasNoModeByte) {
    h.form.mode_byte = 0x55;
    Measurement m;
    m.mode_byte = 0x08;
    all_data_to_form(h.form, m.frame(false));
    EXPECT_EQ(h.form.mode_byte, 0x55);
    EXPECT_TRUE(h.form.mode_yes);
    EXPECT_FALSE(h.form.control("usredn").checked);
    EXPECT_EQ(caption("uroven"), "512");
    // No mode decoded yet: its place in the line stays empty between two separators.
    EXPECT_EQ(test::logged_texts(h).back(), "512, 100000, 100000, 190000, , 23 °C");
}

TEST_F(MeasurementReply, ShortReplyChangesNothing) {
    Measurement m;
    Bytes frame = m.frame();
    frame.resize(19);
    all_data_to_form(h.form, frame);
    EXPECT_EQ(caption("uroven"), "нет данных");
    EXPECT_EQ(h.form.hold_cnt, 0);
    EXPECT_TRUE(test::logged_texts(h).empty());
}

TEST_F(MeasurementReply, FullRangeValuesAreExact) {
    Measurement m;
    m.current_value = 4294967295u;
    m.empty_value = 4294967295u;
    m.full_value = 2147483648u;
    all_data_to_form(h.form, m.frame());
    EXPECT_EQ(caption("tek"), "4294967295");
    EXPECT_EQ(caption("lo"), "4294967295");
    EXPECT_EQ(caption("hi"), "2147483648");
}

}  // namespace
}  // namespace qm720
