#include "exchange/reply_dispatch.h"

#include <gtest/gtest.h>

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
    void SetUp() override { h.form.Form_Load(); }
    void dispatch(const Bytes& reply) { dispatch_reply(h.form, reply, reply_check_crc(reply)); }
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
        dispatch({0x3E, 0x01, c.code, 0x00});  // last byte is not the CRC
        EXPECT_EQ(status(), c.text) << int(c.code);
        expected_log.push_back(c.text);
    }
    EXPECT_EQ(test::logged_texts(h), expected_log);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(ReplyDispatch, ModeConfirmationRedrawsFromItsFourthByte) {
    h.form.mode_yes = false;
    dispatch(Control_summ({0x3E, 0x01, 0xF2, 0x89}));
    EXPECT_EQ(status(), " Установлен новый режим.");
    EXPECT_EQ(test::logged_texts(h), std::vector<std::string>{" Установлен новый режим."});
    EXPECT_EQ(h.form.mode_str, "137");
    EXPECT_TRUE(h.form.control("D_4096").checked);
    EXPECT_EQ(h.form.Ur_progressBar, 4096);
}

TEST_F(ReplyDispatch, FourByteModeConfirmationHandsOnItsCrcByte) {
    const Bytes reply = Control_summ({0x3E, 0x01, 0xF2});
    dispatch(reply);
    EXPECT_EQ(h.form.mode_str, std::to_string(reply[3]));
}

TEST_F(ReplyDispatch, ParameterReplyChangesTheStatusLineOnly) {
    dispatch({0x3E, 0x01, 0x06, 0x00});
    EXPECT_EQ(status(), "Пар.");
    EXPECT_TRUE(test::logged_texts(h).empty());
}

TEST_F(ReplyDispatch, UnrecognisedCodeShowsBoxBetweenItsTwoLogLines) {
    dispatch({0x3E, 0x01, 0xE7, 0x00});
    dispatch({0x3E, 0x01, 0x00, 0x00});
    EXPECT_EQ(status(), " Непонятно что пришло! ");
    ASSERT_EQ(h.dialogs.shown.size(), 2u);
    for (const auto& box : h.dialogs.shown) {
        EXPECT_EQ(box.kind, BoxKind::Message);
        EXPECT_EQ(box.text, "Ответ не соответствует запросу");
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(box.icon, BoxIcon::None);
    }
    EXPECT_EQ(
        test::logged_texts(h),
        (std::vector<std::string>{"Непонятно что пришло!", "Ответ не соответствует запросу",
                                  "Непонятно что пришло!", "Ответ не соответствует запросу"}));
}

TEST_F(ReplyDispatch, MeasurementWithWrongCrcIsDroppedSilently) {
    Bytes reply = test::Measurement{}.frame();
    reply.back() ^= 0xFF;
    h.form.control("MsgCom").caption = "before";
    dispatch(reply);
    EXPECT_EQ(h.form.control("uroven").caption, "нет данных");
    EXPECT_EQ(status(), "before");
    EXPECT_EQ(h.form.hold_cnt, 0);
    EXPECT_TRUE(test::logged_texts(h).empty());

    reply.back() ^= 0xFF;
    dispatch(reply);
    EXPECT_EQ(h.form.control("uroven").caption, "512");
}

TEST_F(ReplyDispatch, IdentityIsDecodedWhateverItsCrc) {
    Bytes reply = test::identity_reply(123456, 163);
    reply.back() ^= 0x5A;
    dispatch(reply);
    EXPECT_EQ(h.form.control("sn").caption, "123456");
    EXPECT_EQ(h.form.control("vv").caption, "1.6.3.");
}

}  // namespace
}  // namespace qm720
