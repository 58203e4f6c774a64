#include "exchange/exchange_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    // `reply` read in the tick after `asked` was written.
    AnswerUse dispatch(const Bytes& reply, const Bytes& asked = poll_request(1)) {
        return dispatch_reply(h.form, reply, asked);
    }
    bool logged(const std::string& text) {
        const Names log = test::logged_texts(h);
        return std::find(log.begin(), log.end(), text) != log.end();
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

// The scan answer queues an identity request; the write of the same tick must not take it. The
// read after the tick that wrote the scan is bare addresses, any of which may look like noise or
// a reply's prefix: each byte one entry, up to nineteen; a longer answer changes nothing.
TEST_F(ExchangeCycle, ScanAnswerFillsTheListAndAsksTheFirstSensorOnTheNextTick) {
    pending() = hex("31 01 F5 FA");
    h.form.redraw_mode_from_next_reply = false;
    start_network_scan(h.form);
    EXPECT_TRUE(h.form.redraw_mode_from_next_reply);
    EXPECT_EQ(caption("txtRec"), "31 FF DC \r\n\r\n1яЬ");
    tick();
    ASSERT_EQ(h.port.writes.back(), hex("31 FF DC"));
    tick(hex("05 3E 11 3E"));
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F0 C5"));
    EXPECT_EQ(h.form.control("CmbNet").list, (Names{"5", "62", "17", "62"}));
    EXPECT_EQ(caption("CmbNet"), "5");
    EXPECT_EQ(caption("netdev"), "5 62 17 62 ");
    EXPECT_EQ(caption("MsgCom"), "Произошел опрос сети.");
    EXPECT_EQ(h.port.discards, 2);
    const Names log = test::logged_texts(h);
    EXPECT_EQ(log[1], "Cmd Ask Net ");
    EXPECT_EQ(log.back(), "Устройства в сети 5 62 17 62 ");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));

    for (const std::size_t length : {19u, 20u}) {
        take_scan_answer(h.form, Bytes(length, 0x07));
        EXPECT_EQ(h.form.control("CmbNet").list.size(), 19u) << length;
        EXPECT_EQ(pending().empty(), length == 20) << length;
        pending().clear();
    }
}

// A scan that nobody answers ends with its silent tick: later bytes are noise, not a bus list.
TEST_F(ExchangeCycle, AnUnansweredScanEndsAndLaterNoiseIsNoList) {
    start_network_scan(h.form);
    tick();
    tick();
    tick(hex("00 07"));
    EXPECT_EQ(h.form.control("CmbNet").list, (Names{"1"}));
    EXPECT_EQ(caption("netdev"), "Устройства не определены");
    EXPECT_FALSE(logged("Устройства в сети 0 7 "));
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
    EXPECT_FALSE(h.form.measurement_seen || h.form.identity_known);
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
    const std::string stale = "Нет достоверного ответа от датчика с адресом 1";
    const std::string confirmed = " Установлен верхний уровень.";
    tick(hex("A5 5A"));
    EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
    pending() = calibrate_request(1, Level::Full);
    tick(test::Measurement{.address = 5}.frame());
    EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
    tick(with_crc({0x3E, 0x01, 0xF5}));
    EXPECT_EQ(caption("MsgCom"), confirmed);
    tick(damaged);
    EXPECT_EQ(caption("MsgCom"), stale);
    tick(hex("00"));
    EXPECT_EQ(caption("MsgCom"), stale);
    tick(test::Measurement{}.frame());
    EXPECT_EQ(caption("MsgCom"), confirmed);
}

// Each confirmation answers its own request and is shown and logged even with a wrong CRC on a
// clean line: the sensor did act. The controls are redrawn only from an intact mode byte; the
// parameter reply changes the status line alone; an unknown code is reported with a box between
// its two log lines.
TEST_F(ExchangeCycle, RepliesOfCommandsAreShownAndLogged) {
    const struct {
        std::uint8_t code;
        Bytes asked;
        const char* text;
    } confirmations[] = {
        {0xF5, calibrate_request(1, Level::Full), " Установлен верхний уровень."},
        {0xFA, calibrate_request(1, Level::Empty), " Установлен нижний уровень."},
        {0xF4, shift_request(1, Level::Full, 5), "Сдвинут верхний уровень."},
        {0xF9, shift_request(1, Level::Empty, 5), "Сдвинут нижний уровень."},
        {0xFB, set_address_request(1, 7), " Установлен сетевой номер."},
        {0xF6, *write_serial_number_request(1, 5), "Установлен серийный номер."},
        {0xF8, *four_byte_request(1, CommandCode::EnterPassword, 5), "Пароль принят."},
        {0xFD, *four_byte_request(1, CommandCode::EnterPassword, 5), "Неверный пароль."},
        {0xFD, *four_byte_request(1, CommandCode::ChangePassword, 5), "Неверный пароль."},
        {0xF7, *four_byte_request(1, CommandCode::ChangePassword, 5), "Пароль изменен."}};
    for (const auto& c : confirmations) {
        SCOPED_TRACE(int(c.code));
        EXPECT_EQ(dispatch({0x3E, 0x01, c.code, 0x00}, c.asked), AnswerUse::Neutral);
        EXPECT_EQ(caption("MsgCom"), c.text);
        EXPECT_EQ(test::logged_texts(h).back(), c.text);
    }
    Bytes damaged = with_crc({0x3E, 0x01, 0xF2, 0x89});
    damaged.back() ^= 0x01;
    dispatch(damaged, set_mode_request(1, 0x89));
    EXPECT_EQ(caption("MsgCom"), " Установлен новый режим.");
    EXPECT_EQ(h.form.drawn_mode_text, "");
    dispatch(with_crc({0x3E, 0x01, 0xF2, 0x89}), set_mode_request(1, 0x89));
    EXPECT_EQ(h.form.drawn_mode_text, "137");
    EXPECT_EQ(dispatch(with_crc({0x3E, 0x01, 0x06})), AnswerUse::Neutral);
    EXPECT_EQ(caption("MsgCom"), "Пар.");

    EXPECT_EQ(dispatch(with_crc({0x3E, 0x01, 0xE7})), AnswerUse::Unusable);
    EXPECT_EQ(caption("MsgCom"), " Непонятно что пришло! ");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Ответ не соответствует запросу");
    const Names log = test::logged_texts(h);
    ASSERT_EQ(log.size(), 15u);  // the port's line, ten confirmations and two of the mode
    EXPECT_EQ(Names(log.end() - 3, log.end()),
              (Names{" Установлен новый режим.", "Непонятно что пришло!",
                     "Ответ не соответствует запросу"}));
}

// What the sensor was not asked cannot be its confirmation, and a damaged parameter reply or
// unknown code, or an unknown code from another sensor, is more likely noise than a sensor:
// each is an unusable answer that changes nothing on screen and opens no box.
TEST_F(ExchangeCycle, RepliesNobodyAskedForAreUnusableAndSilent) {
    const struct {
        const char* what;
        Bytes reply;
        Bytes asked;
    } cases[] = {
        {"calibration confirmed after a poll", {0x3E, 0x07, 0xF5, 0x00}, poll_request(1)},
        {"password accepted after a poll", with_crc({0x3E, 0x01, 0xF8}), poll_request(1)},
        {"password refused after a shift", with_crc({0x3E, 0x01, 0xFD}),
         shift_request(1, Level::Full, 5)},
        {"mode confirmed after nothing was written", with_crc({0x3E, 0x01, 0xF2, 0x01}), {}},
        {"full level set after the empty one was asked", with_crc({0x3E, 0x01, 0xF5}),
         calibrate_request(1, Level::Empty)},
        {"damaged parameter reply", {0x3E, 0x01, 0x06, 0x00}, poll_request(1)},
        {"damaged unknown code", {0x3E, 0x01, 0xE7, 0x00}, poll_request(1)},
        {"unknown code from another sensor", with_crc({0x3E, 0x7A, 0x99}), poll_request(1)},
        {"a damaged confirmation of what was asked, after noise", hex("A5 3E 01 F8 00"),
         *four_byte_request(1, CommandCode::EnterPassword, 5)},
    };
    caption("MsgCom") = "Пароль принят.";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(dispatch(c.reply, c.asked), AnswerUse::Unusable);
        EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
    }
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(test::logged_texts(h).size(), 1u);  // the port's line alone
}

// A rejected identity is asked for again on the next tick, three times in a row at most.
TEST_F(ExchangeCycle, ARejectedIdentityIsAskedForAgainUpToThreeTimes) {
    Bytes damaged = test::identity_reply(4242, 131);
    damaged[4] ^= 0x01;
    std::vector<Bytes> written;
    for (int k = 0; k < 5; ++k) {
        tick(damaged);
        written.push_back(h.port.writes.back());
    }
    tick(damaged);
    tick(test::identity_reply(4242, 131));
    EXPECT_EQ(written,
              (std::vector<Bytes>{poll_request(1), identity_request(1), identity_request(1),
                                  identity_request(1), poll_request(1)}));
    EXPECT_EQ(caption("sn"), "4242");
}

}  // namespace
}  // namespace qm720
