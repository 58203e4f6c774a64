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
    void SetUp() override { h.form.start_up(); }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }

    test::FormHarness h;
};

// Numbers past the signed 32-bit range are still shown as the unsigned counts they are.
TEST_F(MeasurementReply, FillsEveryReadingAndLogsOneSummaryLine) {
    Measurement m;
    m.address = 5;
    m.temperature = 0x19;
    m.level = 700;
    m.current_value = 4294967295u;
    m.empty_value = 2147483648u;
    m.full_value = 4080218931u;
    m.k_value = 300;
    m.mode_byte = 0x80;
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
    EXPECT_EQ(h.form.mode_byte, 0x80);
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_FALSE(h.form.show_next_mode);
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>{"700, 4294967295, 2147483648, 4080218931, 128, 25 °C"});

    // Once drawn, the mode byte is only stored until the operator asks for it again; the bar takes
    // the scale it gave from the next reply on.
    m.mode_byte = 0x01;
    show_measurement(h.form, m.frame());
    EXPECT_EQ(bar.maximum, 4096);
    EXPECT_EQ(h.form.mode_byte, 0x01);
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_FALSE(h.form.control("iinv").checked);
    EXPECT_EQ(test::logged_texts(h).back(), "700, 4294967295, 2147483648, 4080218931, 128, 25 °C");

    // The temperature byte is signed.
    const std::pair<std::uint8_t, const char*> temperatures[] = {{0x7F, "127 °C"},
                                                                 {0x80, "-128 °C"}};
    for (const auto& [raw, shown] : temperatures) {
        m.temperature = raw;
        show_measurement(h.form, m.frame());
        EXPECT_EQ(caption("temp"), shown) << int(raw);
    }
}

// The bar starts at 100 each time; the number is shown whatever the bar does.
TEST_F(MeasurementReply, LevelBarMovesOnlyStrictlyBelowItsScale) {
    const struct {
        std::int16_t scale;
        std::uint16_t level;
        int bar_after;
    } cases[] = {{1024, 1023, 1023}, {1024, 1024, 100}, {4096, 4095, 4095}, {4096, 4096, 100}};
    for (const auto& c : cases) {
        h.form.level_full_scale = c.scale;
        h.form.show_next_mode = false;
        Measurement m;
        m.level = 100;
        show_measurement(h.form, m.frame());
        m.level = c.level;
        show_measurement(h.form, m.frame());
        EXPECT_EQ(h.form.control("ProgressBar1").maximum, c.scale);
        EXPECT_EQ(h.form.control("ProgressBar1").value, c.bar_after) << c.level;
        EXPECT_EQ(caption("uroven"), std::to_string(c.level));
    }
}

// 20 bytes are the least that is shown, and then the CRC stands where K's high byte would; 21
// carry the CRC where the mode byte would stand.
TEST_F(MeasurementReply, ShortRepliesShowNoModeByteAndBelowTwentyBytesNothing) {
    h.form.mode_byte = 0x55;
    const Bytes reply = Measurement{.k_value = 0x0102, .mode_byte = 0x08}.frame(false);
    for (const std::size_t length : {19u, 21u, 20u}) {
        Bytes frame(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(length));
        frame.back() = 0xC3;
        show_measurement(h.form, frame);
        EXPECT_EQ(h.form.mode_byte, 0x55) << length;
        EXPECT_TRUE(h.form.show_next_mode) << length;
        EXPECT_EQ(caption("uroven"), length < 20 ? "нет данных" : "512") << length;
        EXPECT_EQ(caption("ko"), length == 20 ? "49922" : length == 21 ? "258" : "0") << length;
    }
    // No mode decoded yet: its place in the line stays empty between two separators.
    EXPECT_EQ(test::logged_texts(h),
              std::vector<std::string>(2, "512, 100000, 100000, 190000, , 23 °C"));
}

}  // namespace
}  // namespace qm720
