#include "exchange/exchange_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/colours.h"
#include "app/combo_box.h"
#include "app/frame_view.h"
#include "exchange/network_scan.h"
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
        // The selected sensor has been asked who it is already.
        (void)h.form.session.tick(1, false);
        h.port.writes.clear();
        h.port.discards = 0;
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
    void queue(const Bytes& request) { h.form.session.queue(request); }
    Colour& lamp() { return h.form.control("Pic").fill_colour; }
    // `reply` read in the tick after `asked` was written.
    void answer(const Bytes& reply, const Bytes& asked = poll_request(1)) {
        queue(asked);
        (void)h.form.session.tick(1, false);  // `asked` goes out, unseen
        tick(reply);
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
    tick(test::Measurement{.address = 5}.frame());
    EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
}

// The scan answer queues an identity request; the write of the same tick must not take it. The
// read after the tick that wrote the scan is bare addresses, any of which may look like noise or
// a reply's prefix: each byte one entry, up to nineteen; a longer answer changes nothing.
TEST_F(ExchangeCycle, ScanAnswerFillsTheListAndAsksTheFirstSensorOnTheNextTick) {
    queue(hex("31 01 F5 FA"));
    start_network_scan(h.form);
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
    EXPECT_EQ(caption("sn"), "0");
    EXPECT_EQ(caption("uroven"), "Нет данных");
    EXPECT_FALSE(h.form.session.measurement_seen());
    EXPECT_FALSE(h.form.session.identity_known());
}

// A failed write drops the frame and what was read; a good write starts the count again; the
// fourth failure in a row closes the port.
TEST_F(ExchangeCycle, WriteFailuresAreCountedAndTheFourthInARowClosesThePort) {
    queue(hex("31 01 F5 FA"));
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

// A typed text that is no address drops a pending command, nothing goes out, and the status
// line names no sensor.
TEST_F(ExchangeCycle, ATypedTextThatIsNoAddressDropsThePendingCommand) {
    queue(hex("31 01 F5 FA"));
    type("abc");
    tick();
    EXPECT_TRUE(h.port.writes.back().empty());
    EXPECT_EQ(caption("MsgCom"), "Нет ответа от датчика с адресом ");
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
    queue(calibrate_request(1, Level::Full));
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
        answer({0x3E, 0x01, c.code, 0x00}, c.asked);
        EXPECT_EQ(caption("MsgCom"), c.text);
        EXPECT_EQ(test::logged_texts(h).back(), c.text);
    }
    Bytes damaged = with_crc({0x3E, 0x01, 0xF2, 0x89});
    damaged.back() ^= 0x01;
    answer(damaged, set_mode_request(1, 0x89));
    EXPECT_EQ(caption("MsgCom"), " Установлен новый режим.");
    EXPECT_FALSE(h.form.control("iinv").checked);
    answer(with_crc({0x3E, 0x01, 0xF2, 0x89}), set_mode_request(1, 0x89));
    EXPECT_TRUE(h.form.control("iinv").checked);
    answer(with_crc({0x3E, 0x01, 0x06}));
    EXPECT_EQ(caption("MsgCom"), "Пар.");

    answer(with_crc({0x3E, 0x01, 0xE7}));
    EXPECT_EQ(caption("MsgCom"), " Непонятно что пришло! ");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Ответ не соответствует запросу");
    const Names log = test::logged_texts(h);
    ASSERT_EQ(log.size(), 15u);  // the port's line, ten confirmations and two of the mode
    EXPECT_EQ(Names(log.end() - 3, log.end()),
              (Names{" Установлен новый режим.", "Непонятно что пришло!",
                     "Ответ не соответствует запросу"}));
}

// An unusable reply changes nothing on screen and opens no box.
TEST_F(ExchangeCycle, AnUnaskedConfirmationChangesNothingOnScreen) {
    caption("MsgCom") = "Пароль принят.";
    answer(with_crc({0x3E, 0x01, 0xF8}));
    EXPECT_EQ(caption("MsgCom"), "Пароль принят.");
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(test::logged_texts(h).size(), 1u);  // the port's line alone
}

}  // namespace
}  // namespace qm720
