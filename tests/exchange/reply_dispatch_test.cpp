#include "exchange/reply_dispatch.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/combo_box.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::BoxKind;

class ReplyDispatch : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.start_up();
        set_single_entry(h.form.control("CmbNet"), "1");
    }
    AnswerUse dispatch(const Bytes& reply) {
        return dispatch_reply(h.form, reply, reply_check_crc(reply));
    }
    const std::string& status() { return h.form.control("MsgCom").caption; }

    test::FormHarness h;
};

TEST_F(ReplyDispatch, ConfirmationsShowAndLogTheirTextEvenWithAWrongCrc) {
    const struct {
        std::uint8_t code;
        const char* text;
    } cases[] = {
        {0xF5, " Установлен верхний уровень."},
        {0xFA, " Установлен нижний уровень."},
        {0xF4, "Сдвинут верхний уровень."},
        {0xF9, "Сдвинут нижний уровень."},
        {0xFB, " Установлен сетевой номер."},
        {0xF6, "Установлен серийный номер."},
        {0xF8, "Пароль принят."},
        {0xFD, "Неверный пароль."},
        {0xF7, "Пароль изменен."},
    };
    std::vector<std::string> expected_log;
    for (const auto& c : cases) {
        // Last byte is not the CRC; the sensor did act all the same.
        EXPECT_EQ(dispatch({0x3E, 0x01, c.code, 0x00}), AnswerUse::Neutral);
        EXPECT_EQ(status(), c.text) << int(c.code);
        expected_log.push_back(c.text);
    }
    EXPECT_EQ(test::logged_texts(h), expected_log);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

// The controls are redrawn only from an intact mode byte, rather than show a mode the sensor may
// not have; the parameter reply changes the status line alone; an unknown code is reported.
TEST_F(ReplyDispatch, ModeConfirmationRedrawsOnlyFromAnIntactModeByte) {
    Bytes damaged = with_crc({0x3E, 0x01, 0xF2, 0x89});
    damaged.back() ^= 0x01;
    for (const Bytes& reply : {with_crc({0x3E, 0x01, 0xF2}), damaged}) {
        dispatch(reply);
        EXPECT_EQ(status(), " Установлен новый режим.");
        EXPECT_EQ(h.form.mode_text, "");
        EXPECT_TRUE(h.form.show_next_mode);
    }
    dispatch(with_crc({0x3E, 0x01, 0xF2, 0x89}));
    EXPECT_EQ(h.form.mode_text, "137");
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_EQ(h.form.level_full_scale, 4096);
    EXPECT_EQ(test::logged_texts(h), std::vector<std::string>(3, " Установлен новый режим."));

    EXPECT_EQ(dispatch({0x3E, 0x01, 0x06, 0x00}), AnswerUse::Neutral);
    EXPECT_EQ(status(), "Пар.");
    EXPECT_EQ(test::logged_texts(h).size(), 3u);
}

TEST_F(ReplyDispatch, UnrecognisedCodeShowsBoxBetweenItsTwoLogLines) {
    EXPECT_EQ(dispatch({0x3E, 0x01, 0xE7, 0x00}), AnswerUse::Unusable);
    EXPECT_EQ(status(), " Непонятно что пришло! ");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    const test::ShownBox& box = h.dialogs.shown[0];
    EXPECT_EQ(
        std::tie(box.kind, box.text, box.title, box.icon),
        std::make_tuple(BoxKind::Message, "Ответ не соответствует запросу", "", BoxIcon::None));
    EXPECT_EQ(test::logged_texts(h), (std::vector<std::string>{"Непонятно что пришло!",
                                                               "Ответ не соответствует запросу"}));
}

// Readings and identities are believed only when intact and from the sensor asked: anything else
// would show stale or another sensor's values as live. While every address is polled (z255), any
// sensor's measurement is the one asked for, but an identity still names the selected sensor.
TEST_F(ReplyDispatch, MeasurementsAndIdentitiesAreTakenOnlyIntactAndFromTheSensorAsked) {
    Bytes damaged = test::Measurement{}.frame();
    damaged.back() ^= 0xFF;
    Bytes damaged_identity = test::identity_reply(123456, 163);
    damaged_identity[3] ^= 0x3B;
    const std::pair<Bytes, bool> unusable[] = {
        {damaged, false},
        {test::Measurement{.address = 5}.frame(), false},
        {with_crc({0x3E, 0x01, 0xF0, 0x17}), false},
        {damaged_identity, true},
        {test::identity_reply(123456, 163, 0, 5), true},
    };
    h.form.control("MsgCom").caption = "before";
    for (const auto& [reply, z255] : unusable) {
        h.form.control("z255").checked = z255;
        EXPECT_EQ(dispatch(reply), AnswerUse::Unusable) << two_digit_hex(reply);
    }
    EXPECT_EQ(h.form.control("uroven").caption + h.form.control("sn").caption + status(),
              "нет данных0before");
    EXPECT_FALSE(h.form.mode_byte_known || h.form.identity_known ||
                 h.form.control("sdv_hi").enabled);
    EXPECT_TRUE(test::logged_texts(h).empty());

    EXPECT_EQ(dispatch(test::identity_reply(123456, 163)), AnswerUse::Neutral);
    EXPECT_EQ(h.form.control("vv").caption, "1.6.3.");
    EXPECT_TRUE(h.form.identity_known);
    EXPECT_EQ(dispatch(test::Measurement{.address = 5}.frame()), AnswerUse::Measurement);
    EXPECT_EQ(h.form.control("ne").caption, "5");
    EXPECT_TRUE(h.form.mode_byte_known);
}

}  // namespace
}  // namespace qm720
