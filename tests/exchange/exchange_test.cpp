#include "exchange/exchange_cycle.h"

#include <gtest/gtest.h>

#include "app/colours.h"
#include "app/combo_box.h"
#include "app/frame_view.h"
#include "exchange/network_scan.h"
#include "exchange/reply_dispatch.h"
#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::hex;
using Names = std::vector<std::string>;

// An open port with sensor 1 selected, as after "Открыть порт" and picking the address.
class ExchangeCycle : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.start_up();
        h.form.open_port();
        select("1");
        h.form.link.identity_address = 1;
    }
    void select(const char* address) {
        set_single_entry(h.form.control("CmbNet"), address);
        address_picked(h.form);
    }
    void type(const char* text) {
        h.form.control("CmbNet").caption = text;
        h.form.control("CmbNet").list_index = -1;
        address_typed(h.form);
    }
    // One tick that reads `answer`; none is a silent line.
    void tick(const Bytes& answer = {}) {
        h.port.reads.push_back(answer);
        exchange_tick(h.form);
    }
    std::string& caption(const char* name) { return h.form.control(name).caption; }
    Bytes& pending() { return h.form.link.pending_request; }
    Colour& lamp() { return h.form.control("Pic").fill_colour; }
    AnswerUse dispatch(const Bytes& reply) {
        return dispatch_reply(h.form, reply, reply_check_crc(reply));
    }

    test::FormHarness h;
};

// Silent line: the view keeps the request, the status line names the sensor as it was typed, the
// text it had is saved once and comes back with the first answer. The activity lamp toggles and
// the stability hold counts down to zero.
TEST_F(ExchangeCycle, PollsTheSelectedSensorAndSilenceIsSaidUntilAnAnswer) {
    caption("MsgCom") = "Пароль принят.";
    lamp() = kWhite;
    h.form.lamp.hold = 2;
    tick();
    EXPECT_EQ(h.port.writes, std::vector<Bytes>{hex("31 01 F0 C5")});
    EXPECT_EQ(caption("txtRec").substr(0, 12), "31 1 F0 C5 \r");
    EXPECT_EQ(lamp(), kGrey);
    type("05");
    tick();
    tick();
    EXPECT_EQ(h.port.writes.back(), poll_request(5));
    EXPECT_EQ(caption("MsgCom"), "Нет ответа от датчика с адресом 05");
    EXPECT_EQ(lamp(), kGrey);
    EXPECT_EQ(h.form.lamp.hold, 0);
    tick(test::Measurement{.address = 5}.frame());
    EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
}

// The scan answer queues an identity request; the write of the same tick must not take it. An
// awaited scan answer is bare addresses, any of which may look like noise or a reply's prefix:
// each byte one entry, up to nineteen; a longer answer changes nothing.
TEST_F(ExchangeCycle, ScanAnswerFillsTheListAndAsksTheFirstSensorOnTheNextTick) {
    pending() = hex("31 01 F5 FA");
    h.form.show_next_mode = false;
    start_network_scan(h.form);
    EXPECT_TRUE(h.form.show_next_mode);
    EXPECT_EQ(caption("txtRec"), "31 FF DC \r\n\r\n1яЬ");
    tick();
    ASSERT_EQ(h.port.writes.back(), hex("31 FF DC"));
    tick();  // silence and reply frames leave the scan pending
    tick(with_crc({0x3E, 0x01, 0xF5}));
    tick(hex("05 3E 11"));
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F0 C5"));
    EXPECT_FALSE(h.form.link.scan_awaited);
    EXPECT_EQ(h.form.control("CmbNet").list, (Names{"5", "62", "17"}));
    EXPECT_EQ(caption("CmbNet") + "|" + caption("netdev") + "|" + caption("MsgCom"),
              "5|5 62 17 |Произошел опрос сети.");
    EXPECT_EQ(h.port.discards, 4);
    const Names log = test::logged_texts(h);
    EXPECT_EQ(log[1] + log.back(), "Cmd Ask Net Устройства в сети 5 62 17 ");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));

    for (const std::size_t length : {19u, 20u}) {
        h.form.link.scan_awaited = true;
        take_scan_answer(h.form, Bytes(length, 0x07));
        EXPECT_EQ(h.form.control("CmbNet").list.size(), 19u) << length;
        EXPECT_EQ(pending().empty(), length == 20) << length;
        pending().clear();
    }
}

// An intact frame is shown ending in two equal bytes: its CRC and the one computed here; a
// frame of 30 bytes or more is dispatched but not shown. Another address starts from no data.
TEST_F(ExchangeCycle, RepliesAreShownWithTheirLocalCrcUntilAnotherAddressIsPicked) {
    const Bytes reply = test::Measurement{}.frame();
    tick(reply);
    EXPECT_EQ(caption("uroven"), "512");
    Bytes shown = reply;
    shown.push_back(reply.back());
    EXPECT_EQ(caption("txtRec"), frame_view_text(shown));
    EXPECT_EQ(lamp(), kRed);
    EXPECT_GE(h.port.flushes, 1);

    for (const std::size_t length : {29u, 30u}) {
        Bytes identity = test::identity_reply(4242, 131);
        identity.resize(length, 0x00);
        tick(identity);
        EXPECT_EQ(caption("sn"), "4242");
        EXPECT_EQ(caption("txtRec").substr(0, 3), length == 29 ? "3E " : "31 ") << length;
    }

    // Nothing of one sensor may stand beside, or be acted on as, another's.
    select("5");
    EXPECT_EQ(caption("sn") + "|" + caption("uroven"), "0|Нет данных");
    EXPECT_FALSE(h.form.mode_byte_known || h.form.identity_known);
}

// A failed write drops the frame and what was read; a good write starts the count again; the
// fourth failure in a row closes the port.
TEST_F(ExchangeCycle, WriteFailuresAreCountedAndTheFourthInARowClosesThePort) {
    pending() = hex("31 01 F5 FA");
    h.port.reads.push_back(test::Measurement{}.frame());
    h.port.write_counts = {1, 0, 0, 4, 0, 0, 0, 2};
    for (int k = 0; k < 8; ++k) {
        EXPECT_TRUE(h.form.control("TMRComm").enabled) << k;
        exchange_tick(h.form);
    }
    EXPECT_FALSE(h.form.control("TMRComm").enabled);
    EXPECT_EQ(caption("uroven"), "Нет данных");
    EXPECT_EQ(h.port.writes[1], hex("31 01 F0 C5"));
    EXPECT_EQ(h.dialogs.shown.size(), 7u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Ошибка записи в порт");  // no reason given
}

// A picked address is asked who it is on the next tick, then polled, or every address is while
// z255 is ticked; a typed text that is no address drops a pending command and nothing goes out.
TEST_F(ExchangeCycle, AnotherAddressIsAskedWhoItIsThenPolled) {
    pending() = hex("31 01 F5 FA");
    select("5");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));
    tick();
    EXPECT_EQ(h.port.writes.back(), poll_request(5));

    h.form.control("z255").checked = true;
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 FF F0 80"));

    pending() = hex("31 01 F5 FA");
    type("abc");
    tick();
    EXPECT_TRUE(h.port.writes.back().empty());
    EXPECT_EQ(caption("MsgCom"), "Нет ответа от датчика с адресом ");
    EXPECT_EQ(h.form.link.write_failures, 0);
}

// Three unusable ticks in a row say the readings are stale, and say it again; confirmations
// neither count nor break the run; a measurement ends it.
TEST_F(ExchangeCycle, TheThirdUnusableTickInARowSaysTheDataIsStale) {
    Bytes damaged = test::Measurement{}.frame();
    damaged.back() ^= 0x01;
    caption("MsgCom") = "Пароль принят.";
    Names statuses;
    for (const Bytes& answer :
         {hex("A5 5A"), test::Measurement{.address = 5}.frame(), with_crc({0x3E, 0x01, 0xF5}),
          damaged, hex("00"), test::Measurement{}.frame()}) {
        tick(answer);
        statuses.push_back(caption("MsgCom"));
    }
    const std::string stale = "Нет достоверного ответа от датчика с адресом 1";
    const std::string confirmed = " Установлен верхний уровень.";
    EXPECT_EQ(statuses,
              (Names{"Пароль принят.", "Пароль принят.", confirmed, stale, stale, confirmed}));
}

// Confirmations are shown and logged even with a wrong CRC: the sensor did act. The controls are
// redrawn only from an intact mode byte; the parameter reply changes the status line alone; an
// unknown code is reported with a box between its two log lines.
TEST_F(ExchangeCycle, RepliesOfCommandsAreShownAndLogged) {
    const std::pair<std::uint8_t, const char*> confirmations[] = {
        {0xF5, " Установлен верхний уровень."},
        {0xFA, " Установлен нижний уровень."},
        {0xF4, "Сдвинут верхний уровень."},
        {0xF9, "Сдвинут нижний уровень."},
        {0xFB, " Установлен сетевой номер."},
        {0xF6, "Установлен серийный номер."},
        {0xF8, "Пароль принят."},
        {0xFD, "Неверный пароль."},
        {0xF7, "Пароль изменен."}};
    for (const auto& [code, text] : confirmations) {
        EXPECT_EQ(dispatch({0x3E, 0x01, code, 0x00}), AnswerUse::Neutral);
        EXPECT_EQ(caption("MsgCom") + "|" + test::logged_texts(h).back(),
                  std::string(text) + "|" + text)
            << int(code);
    }
    Bytes damaged = with_crc({0x3E, 0x01, 0xF2, 0x89});
    damaged.back() ^= 0x01;
    dispatch(damaged);
    EXPECT_EQ(caption("MsgCom") + h.form.mode_text, " Установлен новый режим.");
    dispatch(with_crc({0x3E, 0x01, 0xF2, 0x89}));
    EXPECT_EQ(h.form.mode_text, "137");
    EXPECT_EQ(dispatch({0x3E, 0x01, 0x06, 0x00}), AnswerUse::Neutral);
    EXPECT_EQ(caption("MsgCom"), "Пар.");

    EXPECT_EQ(dispatch({0x3E, 0x01, 0xE7, 0x00}), AnswerUse::Unusable);
    EXPECT_EQ(caption("MsgCom"), " Непонятно что пришло! ");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Ответ не соответствует запросу");
    const Names log = test::logged_texts(h);
    ASSERT_EQ(log.size(), 14u);  // the port's line, nine confirmations and two of the mode
    EXPECT_EQ(Names(log.end() - 3, log.end()),
              (Names{" Установлен новый режим.", "Непонятно что пришло!",
                     "Ответ не соответствует запросу"}));
}

// Readings and identities are believed only when intact and from the sensor asked: anything else
// would show stale or another sensor's values as live. While every address is polled (z255), any
// sensor's measurement is the one asked for, but an identity still names the selected sensor.
TEST_F(ExchangeCycle, MeasurementsAndIdentitiesAreTakenOnlyIntactAndFromTheSensorAsked) {
    Bytes damaged_identity = test::identity_reply(123456, 163);
    damaged_identity[3] ^= 0x3B;
    const std::pair<Bytes, bool> unusable[] = {
        {with_crc({0x3E, 0x01, 0xF0, 0x17}), false},
        {damaged_identity, true},
        {test::identity_reply(123456, 163, 0, 5), true},
    };
    for (const auto& [reply, z255] : unusable) {
        h.form.control("z255").checked = z255;
        EXPECT_EQ(dispatch(reply), AnswerUse::Unusable) << two_digit_hex(reply);
    }
    EXPECT_EQ(caption("uroven") + caption("sn"), "Нет данных0");

    EXPECT_EQ(dispatch(test::identity_reply(123456, 163)), AnswerUse::Neutral);
    EXPECT_EQ(caption("vv"), "1.6.3.");
    EXPECT_EQ(dispatch(test::Measurement{.address = 5}.frame()), AnswerUse::Measurement);
    EXPECT_EQ(caption("ne"), "5");
}

}  // namespace
}  // namespace qm720
